#include "ui/extras/help_window.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
QString &helpFilePath() {
    static QString path;
    return path;
}

QPointer<HelpWindow> &openWindow() {
    static QPointer<HelpWindow> window;
    return window;
}
} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Ajuda do Solvane"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setObjectName(QStringLiteral("txtAjuda"));
    m_browser->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(720, 560);
}

void HelpWindow::setHelpFile(const QString &path) { helpFilePath() = path; }

QString HelpWindow::helpFile() { return helpFilePath(); }

HelpWindow *HelpWindow::instance() { return openWindow(); }

void HelpWindow::showContext(int context, QWidget *parent) {
    const QString path = helpFilePath();
    if (!QFileInfo(path).isFile()) {
        QMessageBox::information(parent, QStringLiteral("Solvane"),
                                 QStringLiteral("O arquivo de ajuda \"%1\" não foi encontrado.").arg(path), QMessageBox::Ok);
        return;
    }
    if (!openWindow())
        openWindow() = new HelpWindow(parent);
    HelpWindow *window = openWindow();
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(anchorOf(context));
    window->m_browser->setSource(url);
    window->show();
    window->raise();
    window->activateWindow();
}
