#pragma once

#include <QString>

// Where the database of a study folder is read from. A folder laid out like
// the program's holds the study as the program reads it, "Dados/Solvane.db"
// (SQLite), or as it was published, the Access file "Dados/Solvane.Mdb" (the
// name in any letter case), which solvane-import turns into a SQLite study
// first. The imported study goes beside the Access file when that folder can
// be written, else into the user's data folder, and is reused there while
// the Access file is unchanged (not newer than it).
namespace StudyLocation {

struct Found {
    QString database;  // the SQLite study to open, once imported when importDue
    QString published; // the Access file, when the folder holds one
    bool importDue = false;
};

// The study of a folder (ending or not in '/'). Raises AppError when the
// folder holds neither file, saying where it looked and how to point the
// program at a study.
Found find(const QString &folder);

// The database an import of the Access file writes when no other is named:
// "Solvane.db" beside it when that folder can be written, else the user's
// data folder, in a folder of its own for each Access file's path.
QString importTarget(const QString &published);

} // namespace StudyLocation
