#include "tool_tip_timing.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

void ToolTipTiming::install() {
    static ToolTipTiming *filter = nullptr;
    if (!filter) {
        filter = new ToolTipTiming(qApp);
        qApp->installEventFilter(filter);
    }
}

bool ToolTipTiming::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    // Widgets with a duration of their own, and those without a tip, keep
    // Qt's handling.
    if (widget->toolTip().isEmpty() || widget->toolTipDuration() >= 0)
        return false;
    const auto *help = static_cast<QHelpEvent *>(event);
    QToolTip::showText(help->globalPos(), widget->toolTip(), widget, QRect(), kDisplayMilliseconds);
    return true;
}
