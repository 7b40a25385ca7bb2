#include "ui/chart/chart_type_picture.h"

#include <QMouseEvent>
#include <QPainter>

ChartTypePicture::ChartTypePicture(const QString &name, const QPixmap &picture, int tag, QWidget *parent)
    : QWidget(parent), m_picture(picture), m_tag(tag) {
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
}

void ChartTypePicture::setOpaque(bool opaque) {
    if (m_opaque == opaque)
        return;
    m_opaque = opaque;
    update();
}

QSize ChartTypePicture::sizeHint() const {
    return m_picture.isNull() ? QSize(40, 40) : m_picture.size();
}

void ChartTypePicture::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (m_opaque)
        painter.fillRect(rect(), Qt::white);
    painter.drawPixmap(0, 0, m_picture);
}

void ChartTypePicture::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
