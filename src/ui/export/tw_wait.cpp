#include "ui/export/tw_wait.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kWidth = 286;
constexpr int kHeight = 45;
constexpr int kTopGap = 12;
constexpr int kBorder = 4;
} // namespace

TwWait::TwWait(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      vDisplay(new QLabel(this)) {
    setObjectName(QStringLiteral("wWait"));
    setWindowTitle(QStringLiteral("Aguarde..."));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorder, kBorder + kTopGap, kBorder, kBorder);
    vDisplay->setObjectName(QStringLiteral("vDisplay"));
    vDisplay->setAlignment(Qt::AlignCenter);
    vDisplay->setWordWrap(true);
    QFont bold = font();
    bold.setBold(true);
    vDisplay->setFont(bold);
    layout->addWidget(vDisplay, 1);
    setFixedSize(kWidth, kHeight);
}

void TwWait::setWaitHeight(int pixels) { setFixedHeight(pixels); }

void TwWait::ExibeMensagem(const QString &text) {
    vDisplay->setText(text);
    if (text.isEmpty()) {
        hide();
        return;
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    repaint();
}

void TwWait::showError(const QString &text) {
    QMessageBox::critical(isVisible() ? this : parentWidget(), QStringLiteral("Solvane"), text, QMessageBox::Ok);
}
