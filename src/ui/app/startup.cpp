#include "ui/app/startup.h"

#include "base/data/app_error.h"
#include "base/data/study_opening.h"
#include "ui/app/main_frm.h"
#include "ui/app/solvane_application.h"
#include "ui/app/study_import_dialog.h"
#include "ui/extras/sobre_frm.h"

#include <QPointer>
#include <QScreen>
#include <memory>

namespace Startup {

namespace {

// Finds the study and imports a published one; false when none can be
// opened, after telling the user why.
bool prepareStudy(const QString &studyFolder) {
    try {
        const StudyOpening::Plan plan = StudyOpening::plan(studyFolder);
        if (plan.importDue) {
            StudyImportDialog importing(plan.published, plan.database);
            const QString failure = importing.run();
            if (!failure.isEmpty()) {
                SolvaneApplication::showError(failure);
                return false;
            }
        }
        StudyOpening::use(plan);
        return true;
    } catch (const std::exception &error) {
        SolvaneApplication::showError(SolvaneApplication::errorText(error));
        return false;
    }
}

} // namespace

int run(const QString &studyFolder) {
    if (!prepareStudy(studyFolder))
        return 1;
    // The About window is the splash while the main window builds.
    auto splash = std::make_unique<TSobre_Frm>();
    splash->setAttribute(Qt::WA_DeleteOnClose, false);
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    QPointer<TMain_Frm> mainFrm;
    try {
        mainFrm = new TMain_Frm;
    } catch (const std::exception &error) {
        splash.reset();
        SolvaneApplication::showError(SolvaneApplication::errorText(error));
        return 1;
    }
    splash.reset();
    // Without a window manager nothing maximises; the window then covers
    // the screen's free area by itself.
    if (const QScreen *screen = mainFrm->screen())
        mainFrm->setGeometry(screen->availableGeometry());
    mainFrm->showMaximized();
    const int status = QApplication::exec();
    delete mainFrm;
    return status;
}

} // namespace Startup
