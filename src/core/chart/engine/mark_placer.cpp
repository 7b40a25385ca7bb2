#include "core/chart/engine/mark_placer.h"

#include <QPainter>

namespace {

// Room between a mark's text and its border.
constexpr qreal kPadding = 2;

const QColor kMarkFill(255, 255, 225);

} // namespace

MarkPlacer::MarkPlacer(const QRectF &bounds, const QFont &font) : m_bounds(bounds), m_font(font), m_metrics(font) {}

void MarkPlacer::reserve(const QRectF &area) {
    if (!area.isEmpty())
        m_reserved.push_back(area);
}

// The box's centre lies beyond the line's end by half the box along the
// direction, so the line meets the box's near side.
QRectF MarkPlacer::boxAt(const QPointF &end, const QPointF &direction, const QSizeF &size) const {
    QRectF box(QPointF(), size);
    box.moveCenter(end + QPointF(direction.x() * size.width() / 2, direction.y() * size.height() / 2));
    return box;
}

bool MarkPlacer::mayFit(const QPointF &anchor, const QPointF &direction, int arrowLength) const {
    const QSizeF letter(m_metrics.averageCharWidth() + 2 * kPadding, m_metrics.height() + 2 * kPadding);
    return isFree(boxAt(anchor + direction * arrowLength, direction, letter));
}

bool MarkPlacer::place(const QPointF &anchor, const QPointF &direction, int arrowLength, const QString &text) {
    if (text.isEmpty() || !mayFit(anchor, direction, arrowLength))
        return false;
    QString shown = text;
    qreal width = m_metrics.horizontalAdvance(text);
    if (width > kMaxTextWidth) {
        shown = m_metrics.elidedText(text, Qt::ElideRight, kMaxTextWidth);
        width = m_metrics.horizontalAdvance(shown);
    }
    const QPointF end = anchor + direction * arrowLength;
    const QRectF box = boxAt(end, direction, QSizeF(width + 2 * kPadding, m_metrics.height() + 2 * kPadding));
    if (!isFree(box))
        return false;
    m_marks.push_back({anchor, end, box, shown});
    return true;
}

bool MarkPlacer::isFree(const QRectF &box) const {
    if (!m_bounds.contains(box))
        return false;
    for (const QRectF &area : m_reserved)
        if (area.intersects(box))
            return false;
    for (const Mark &mark : m_marks)
        if (mark.box.intersects(box))
            return false;
    return true;
}

void MarkPlacer::paint(QPainter &painter) const {
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    for (const Mark &mark : m_marks)
        if (mark.from != mark.to)
            painter.drawLine(mark.from, mark.to);
    painter.setFont(m_font);
    for (const Mark &mark : m_marks) {
        painter.setBrush(kMarkFill);
        painter.drawRect(mark.box);
        painter.drawText(mark.box, Qt::AlignCenter, mark.text);
    }
    painter.restore();
}
