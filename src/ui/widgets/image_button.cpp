#include "ui/widgets/image_button.h"

#include <QPainter>

ImageButton::ImageButton(QWidget *parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void ImageButton::setPictures(const QPixmap &normal, const QPixmap &pressed) {
    m_normal = normal;
    m_pressed = pressed;
    update();
}

QSize ImageButton::sizeHint() const { return m_normal.isNull() ? QSize(32, 32) : m_normal.deviceIndependentSize().toSize(); }

void ImageButton::paintEvent(QPaintEvent *) {
    const QPixmap &picture = isDown() && !m_pressed.isNull() ? m_pressed : m_normal;
    if (picture.isNull())
        return;
    QPainter painter(this);
    const QSize size = picture.deviceIndependentSize().toSize();
    painter.drawPixmap((width() - size.width()) / 2, (height() - size.height()) / 2, picture);
}
