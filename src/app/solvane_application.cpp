#include "solvane_application.h"

#include "data/app_error.h"
#include "extras/windows_fonts.h"

#include <QMessageBox>

SolvaneApplication::SolvaneApplication(int &argc, char **argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Solvane"));
    setApplicationVersion(QStringLiteral("1.5"));
    WindowsFonts::installApplicationFont();
}

bool SolvaneApplication::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError &error) {
        showError(error.message());
    } catch (const std::exception &error) {
        showError(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

void SolvaneApplication::showError(const QString &message) {
    QMessageBox::critical(activeWindow(), QStringLiteral("Solvane"), message, QMessageBox::Ok);
}
