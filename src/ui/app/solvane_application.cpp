#include "ui/app/solvane_application.h"

#include "base/data/app_error.h"
#include "core/drawing/windows_fonts.h"

#include <QMessageBox>
#include <new>

SolvaneApplication::SolvaneApplication(int &argc, char **argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Solvane"));
    setApplicationVersion(QStringLiteral("1.5"));
    WindowsFonts::installApplicationFont();
}

bool SolvaneApplication::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        showError(errorText(error));
    }
    return false;
}

QString SolvaneApplication::errorText(const std::exception &error) {
    if (const auto *appError = dynamic_cast<const AppError *>(&error))
        return appError->message();
    if (dynamic_cast<const std::bad_alloc *>(&error))
        return QStringLiteral("Memória insuficiente para concluir a operação.");
    return QString::fromLocal8Bit(error.what());
}

void SolvaneApplication::showError(const QString &message) {
    QMessageBox::critical(activeWindow(), QStringLiteral("Solvane"), message, QMessageBox::Ok);
}
