#pragma once

#include <QString>

// The study's titles as the main window's header shows them; the workbook
// export repeats them above the table, from the window and from the shell.
namespace StudyTitles {

inline const QString kTitulo1 = QStringLiteral("SOLVANE NO BRASIL");
inline const QString kTitulo2 = QStringLiteral("Necessidades Habitacionais  ·  Censo 2000");
// The header's picture, in the program's "Imagens" folder.
inline const QString kLogo = QStringLiteral("cabecalho.png");

} // namespace StudyTitles
