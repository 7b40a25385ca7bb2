#include "ui/widgets/gradient_band.h"

#include <QLinearGradient>
#include <QPainter>

GradientBand::GradientBand(QWidget *parent) : QWidget(parent) {}

void GradientBand::setGradient(const QColor &start, const QColor &end, Direction direction) {
    m_start = start;
    m_end = end;
    m_direction = direction;
    update();
}

void GradientBand::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const bool leftToRight = m_direction == Direction::LeftToRight;
    QLinearGradient gradient(leftToRight ? 0 : width(), 0, leftToRight ? width() : 0, 0);
    gradient.setColorAt(0, m_start);
    gradient.setColorAt(1, m_end);
    painter.fillRect(rect(), gradient);
}
