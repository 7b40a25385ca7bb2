#include "base/data/study_opening.h"

#include "base/data/import_process.h"
#include "base/data/program_folder.h"
#include "base/data/safe_file.h"
#include "base/data/study_location.h"

namespace StudyOpening {

Plan plan(const QString &studyFolder) {
    if (!studyFolder.isEmpty())
        ProgramFolder::setPath(studyFolder);
    const StudyLocation::Found found = StudyLocation::find(ProgramFolder::path());
    return {found.database, found.published, found.importDue};
}

void use(const Plan &plan) {
    ProgramFolder::setStudyFile(plan.database);
    SafeFile::protectProgramInputs();
    if (!plan.published.isEmpty())
        SafeFile::protectFile(plan.published);
}

void prepare(const QString &studyFolder, const std::function<void(const QString &)> &progress) {
    const Plan found = plan(studyFolder);
    if (found.importDue) {
        ImportProcess importer(found.published, found.database);
        importer.runToEnd(progress);
    }
    use(found);
}

} // namespace StudyOpening
