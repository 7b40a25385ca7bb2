#pragma once

#include <QString>

// Every data path is the program's folder followed by a fixed relative path.
// The folder defaults to the executable's when the study is beside it (the
// build tree), else to the installed study relative to the executable
// ("../share/solvane/"); "--estudo" and tests point it elsewhere (another
// study, a fixture).
namespace ProgramFolder {

// The folder, always ending with a '/'.
QString path();

// Overrides the folder; an empty text restores the default.
void setPath(const QString &folder);

// The folder followed by a relative path written with '/' separators.
QString file(const QString &relativePath);

// The study database: "Dados/Solvane.db" in the folder, unless the study
// was found elsewhere (an Access study imported into the user's folder).
QString studyFile();
// Sets the study database found for the folder; an empty text restores
// "Dados/Solvane.db".
void setStudyFile(const QString &path);

// The folder of the programs, whatever study folder the data comes from:
// the running executable's, or for the drawing program installed in the
// helpers' folder, the installed programs' folder ("../../bin/").
QString programsPath();

// The program's help page: its own, whatever study is open. Beside the
// programs in the build tree ("Ajuda/Solvane_AJUDA.html"), else where it
// was installed relative to them ("../share/solvane/Ajuda/").
QString helpFile();

// The path of a program the programs run for their own use (the exporter's
// drawing program): beside the executable in the build tree or where a copy
// was put beside it, else in the installed helpers' folder relative to the
// executable ("../libexec/solvane/").
QString helperProgram(const QString &name);

} // namespace ProgramFolder
