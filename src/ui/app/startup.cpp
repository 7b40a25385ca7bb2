#include "ui/app/startup.h"

#include "base/data/app_error.h"
#include "ui/app/main_frm.h"
#include "ui/app/solvane_application.h"
#include "ui/extras/sobre_frm.h"

#include <QPointer>
#include <QScreen>
#include <memory>

namespace Startup {

int run() {
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
    // The municipality picker is created here, once the main window's
    // connection exists, and lives until the program ends.
    mainFrm->CriaSelMunicipio();

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
