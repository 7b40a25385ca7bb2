#pragma once

#include <QString>

// Every data path is the program's folder followed by a fixed relative path.
// The folder defaults to the executable's; tests and the command-line
// exporter may point it elsewhere (a fixture, or the exporter's own folder).
namespace ProgramFolder {

// The folder, always ending with a '/'.
QString path();

// Overrides the folder; an empty text restores the executable's folder.
void setPath(const QString &folder);

// The folder followed by a relative path written with '/' separators.
QString file(const QString &relativePath);

// The study database: "Dados/Solvane.db" in the folder, unless the study
// was found elsewhere (an Access study imported into the user's folder).
QString studyFile();
// Sets the study database found for the folder; an empty text restores
// "Dados/Solvane.db".
void setStudyFile(const QString &path);

// The folder of the running executable, where the programs are, whatever
// study folder the data comes from.
QString programsPath();

} // namespace ProgramFolder
