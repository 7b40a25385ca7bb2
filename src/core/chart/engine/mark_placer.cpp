#include "core/chart/engine/mark_placer.h"

#include <QLineF>
#include <QPainter>
#include <algorithm>
#include <optional>

namespace {

// Room between a mark's text and its border.
constexpr qreal kPadding = 2;

const QColor kMarkFill(255, 255, 225);

// Whether more than a point of the segment lies inside the rectangle: the
// segment's parameter range is narrowed to the part between each pair of
// opposite sides, and what remains must be open.
bool crosses(const QLineF &line, const QRectF &rect) {
    qreal from = 0, to = 1;
    const qreal d[4] = {-line.dx(), line.dx(), -line.dy(), line.dy()};
    const qreal room[4] = {line.x1() - rect.left(), rect.right() - line.x1(), line.y1() - rect.top(),
                           rect.bottom() - line.y1()};
    for (int i = 0; i < 4; ++i) {
        if (d[i] == 0) {
            if (room[i] <= 0)
                return false;
            continue;
        }
        const qreal t = room[i] / d[i];
        if (d[i] < 0)
            from = std::max(from, t);
        else
            to = std::min(to, t);
    }
    return from < to;
}

// Whether the box comes closer than gap to the area.
bool near(const QRectF &box, const QRectF &area, qreal gap) {
    return box.adjusted(-gap, -gap, gap, gap).intersects(area);
}

} // namespace

MarkPlacer::MarkPlacer(const QRectF &bounds, const QFont &font, qreal spacing)
    : m_bounds(bounds), m_font(font), m_spacing(spacing), m_metrics(font) {}

bool MarkPlacer::apart(const QRectF &a, const QRectF &b) const { return !near(a, b, m_spacing); }

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

QSizeF MarkPlacer::letterSize() const {
    return {m_metrics.averageCharWidth() + 2 * kPadding, m_metrics.height() + 2 * kPadding};
}

QString MarkPlacer::shownText(const QString &text) const {
    return m_metrics.horizontalAdvance(text) > kMaxTextWidth ? m_metrics.elidedText(text, Qt::ElideRight, kMaxTextWidth)
                                                             : text;
}

QSizeF MarkPlacer::boxSize(const QString &shown) const {
    return {m_metrics.horizontalAdvance(shown) + 2 * kPadding, m_metrics.height() + 2 * kPadding};
}

QRectF MarkPlacer::box(const QPointF &anchor, const QPointF &direction, int arrowLength, const QString &text) const {
    return boxAt(anchor + direction * arrowLength, direction, boxSize(shownText(text)));
}

QRectF MarkPlacer::letterBox(const QPointF &anchor, const QPointF &direction, int arrowLength) const {
    return boxAt(anchor + direction * arrowLength, direction, letterSize());
}

bool MarkPlacer::mayFit(const QPointF &anchor, const QPointF &direction, int arrowLength) const {
    return isFree(letterBox(anchor, direction, arrowLength));
}

bool MarkPlacer::place(const QPointF &anchor, const QPointF &direction, int arrowLength, const QString &text) {
    if (text.isEmpty() || !mayFit(anchor, direction, arrowLength))
        return false;
    const QString shown = shownText(text);
    const QPointF end = anchor + direction * arrowLength;
    const QRectF box = boxAt(end, direction, boxSize(shown));
    if (!isFree(box))
        return false;
    m_marks.push_back({anchor, end, box, shown});
    return true;
}

// The top nearest wanted, between highest and lowest, at which a box of the
// size at x = left keeps its room from every reserved area and box. The
// tops each of them forbids form an open interval; wanted is free, or the
// answer is the nearer end of the run of overlapping intervals around it (an
// end lies outside every interval of its run, and the run covers every top
// in between).
std::optional<qreal> MarkPlacer::freeTop(qreal left, const QSizeF &size, qreal highest, qreal lowest,
                                         qreal wanted) const {
    if (left < m_bounds.left() || left + size.width() > m_bounds.right() || highest > lowest)
        return std::nullopt;
    std::vector<std::pair<qreal, qreal>> forbidden;
    const auto forbid = [&](const QRectF &area, qreal gap) {
        if (area.left() < left + size.width() + gap && area.right() > left - gap)
            forbidden.emplace_back(area.top() - gap - size.height(), area.bottom() + gap);
    };
    for (const QRectF &area : m_reserved)
        forbid(area, kGap);
    for (const Mark &mark : m_marks)
        forbid(mark.box, m_spacing);
    std::sort(forbidden.begin(), forbidden.end());
    wanted = std::clamp(wanted, highest, lowest);
    for (size_t i = 0; i < forbidden.size(); ++i) {
        qreal from = forbidden[i].first, to = forbidden[i].second;
        while (i + 1 < forbidden.size() && forbidden[i + 1].first < to)
            to = std::max(to, forbidden[++i].second);
        if (wanted <= from || wanted >= to)
            continue;
        const bool up = from >= highest, down = to <= lowest;
        if (!up && !down)
            return std::nullopt;
        return down && (!up || to - wanted <= wanted - from) ? to : from;
    }
    return wanted;
}

qreal MarkPlacer::columnLeft(const Column &column, qreal width) {
    return column.toRight ? column.edge : column.edge - width;
}

// The free box of the column nearest the anchor's height, within the
// column's reach of it.
QRectF MarkPlacer::columnBox(const Column &column, const QPointF &anchor, const QSizeF &size) const {
    const qreal left = columnLeft(column, size.width());
    const qreal half = size.height() / 2;
    const qreal highest = std::max({column.top, m_bounds.top(), anchor.y() - column.reach - half});
    const qreal lowest = std::min(m_bounds.bottom() - size.height(), anchor.y() + column.reach - half);
    const std::optional<qreal> top = freeTop(left, size, highest, lowest, anchor.y() - half);
    return top ? QRectF(QPointF(left, *top), size) : QRectF();
}

bool MarkPlacer::mayFitInColumn(Column &column, const QPointF &anchor) const {
    if (column.full)
        return false;
    const QSizeF letter = letterSize();
    if (!columnBox(column, anchor, letter).isEmpty())
        return true;
    // Out of this anchor's reach there may still be room for later anchors.
    const qreal highest = std::max(column.top, m_bounds.top());
    column.full =
        !freeTop(columnLeft(column, letter.width()), letter, highest, m_bounds.bottom() - letter.height(), highest);
    return false;
}

bool MarkPlacer::placeInColumn(Column &column, const QPointF &anchor, const QString &text) {
    if (text.isEmpty() || !mayFitInColumn(column, anchor))
        return false;
    const QString shown = shownText(text);
    const QRectF box = columnBox(column, anchor, boxSize(shown));
    if (box.isEmpty())
        return false;
    // A line running under another box or a reserved area would join the
    // wrong things in the reader's eye.
    const QLineF line(anchor, QPointF(column.edge, box.center().y()));
    const auto under = [&line](const QRectF &area) { return crosses(line, area); };
    if (std::any_of(m_reserved.begin(), m_reserved.end(), under) ||
        std::any_of(m_marks.begin(), m_marks.end(), [&under](const Mark &mark) { return under(mark.box); }))
        return false;
    m_marks.push_back({anchor, line.p2(), box, shown});
    column.top = box.bottom() + m_spacing;
    return true;
}

// Whether the box lies inside the chart and keeps its room from every
// reserved area and box.
bool MarkPlacer::isFree(const QRectF &box) const {
    return m_bounds.contains(box) &&
           std::none_of(m_reserved.begin(), m_reserved.end(),
                        [&box](const QRectF &area) { return near(box, area, kGap); }) &&
           std::none_of(m_marks.begin(), m_marks.end(), [&](const Mark &mark) { return !apart(box, mark.box); });
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
