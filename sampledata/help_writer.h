#pragma once

#include <QString>

// Writes the help file "Ajuda/Solvane_AJUDA.html": how to use the program,
// in Portuguese. Help context n is the anchor named n; context 1, the one
// the program opens, is the start of the text.
namespace HelpWriter {

inline const QString kHelpFile = QStringLiteral("Ajuda/Solvane_AJUDA.html");

void write(const QString &programFolder);

} // namespace HelpWriter
