#pragma once

#include <QString>

#include <functional>

// Points the program at its study before anything reads it: the study
// folder given on the command line (--estudo), or the program's own folder.
// A published study (the Access file) not yet imported is imported first by
// solvane-import as a child process; progress lines go to progress. The
// study found becomes ProgramFolder's study file, and the program's inputs
// are protected from its writers.
namespace StudyOpening {

// Everything but the import (an empty folder keeps the program's folder): where the study is and whether an import is
// due (see StudyLocation::find). Raises AppError when there is no study.
struct Plan {
    QString database;
    QString published;
    bool importDue = false;
};
Plan plan(const QString &studyFolder);

// Points ProgramFolder and SafeFile at the study of the plan.
void use(const Plan &plan);

// plan(), the import when due (raising AppError with the importer's
// message), then use().
void prepare(const QString &studyFolder, const std::function<void(const QString &)> &progress);

} // namespace StudyOpening
