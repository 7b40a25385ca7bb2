#include "ui/widgets/click_label.h"

#include <QMouseEvent>
#include <QShortcutEvent>

ClickLabel::ClickLabel(const QString &caption, QWidget *parent) : QLabel(caption, parent) {
    setCursor(Qt::PointingHandCursor);
    // A label shows its '&' as an underlined accelerator only when it has a
    // buddy; it is its own, and answers the accelerator with a click.
    setBuddy(this);
}

bool ClickLabel::event(QEvent *event) {
    if (event->type() == QEvent::Shortcut) {
        emit clicked();
        return true;
    }
    return QLabel::event(event);
}

void ClickLabel::mousePressEvent(QMouseEvent *event) {
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
