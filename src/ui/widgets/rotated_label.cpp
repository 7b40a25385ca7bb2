#include "ui/widgets/rotated_label.h"

#include <QPainter>

RotatedLabel::RotatedLabel(const QString &caption, QWidget *parent) : QLabel(caption, parent) {}

QSize RotatedLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.height(), metrics.horizontalAdvance(text())};
}

void RotatedLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.translate(0, height());
    painter.rotate(-90);
    // After the turn the label's height is the line's length.
    painter.drawText(QRect(0, 0, height(), width()), int(alignment()), text());
}
