#include "core/chart/engine/pie_plot.h"

#include "core/chart/engine/mark_placer.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr qreal kDonutHole = 0.5;
constexpr size_t kSmoothedItems = 100;
// The wall's height as a fraction of the radius, seen side-on.
constexpr qreal kWallHeight = 0.25;

QPointF onEllipse(const QPointF &centre, qreal rx, qreal ry, qreal degrees) {
    const qreal a = qDegreesToRadians(degrees);
    return {centre.x() + rx * std::cos(a), centre.y() - ry * std::sin(a)};
}

} // namespace

PiePlot::PiePlot(const ChartSettings &settings, const ChartStyle &style, std::function<QColor(int)> colorOf)
    : m_settings(settings), m_style(style), m_colorOf(std::move(colorOf)) {}

PieGeometry PiePlot::geometry(const QRectF &plot, const QSizeF &markRoom) const {
    PieGeometry pie;
    pie.startAngle = 90 + m_style.rotation % 360;
    const qreal across = std::max<qreal>(0, plot.width() - 2 * markRoom.width()) / 2;
    const qreal upDown = std::max<qreal>(0, plot.height() - 2 * markRoom.height());
    if (m_settings.view3D) {
        // Seen from 360 - elevation degrees above the pie's plane: the top
        // face flattens by the sine of that angle, the wall shows by its cosine.
        const qreal view = qDegreesToRadians(qreal(360 - m_style.elevation % 360));
        const qreal flatten = std::abs(std::sin(view));
        const qreal wall = kWallHeight * std::abs(std::cos(view));
        const qreal radius = std::min(across, upDown / (2 * flatten + wall)) * m_style.zoom / 100;
        pie.radiusX = radius;
        pie.radiusY = radius * flatten;
        pie.depth = radius * wall;
    } else {
        pie.radiusX = pie.radiusY = std::min(across, upDown / 2);
        pie.holeRatio = kDonutHole;
    }
    pie.centre = QPointF(plot.center().x(), plot.center().y() - pie.depth / 2);
    return pie;
}

void PiePlot::draw(QPainter &painter, const PieGeometry &pie, MarkPlacer *marks,
                   const std::function<QString(int)> &markText) const {
    const auto &points = m_settings.points;
    // A value that is no number takes no room.
    std::vector<qreal> spans;
    spans.reserve(points.size());
    qreal total = 0;
    for (const ChartPoint &point : points) {
        spans.push_back(std::isfinite(point.value) ? std::abs(point.value) : 0);
        total += spans.back();
    }
    if (total <= 0 || pie.radiusX < 1)
        return;
    for (qreal &span : spans)
        span = 360 * span / total;

    painter.save();
    // Smoothing the edges of hundreds of thin slices costs much and shows
    // nothing.
    painter.setRenderHint(QPainter::Antialiasing, points.size() <= kSmoothedItems);
    if (pie.depth > 0)
        drawWalls(painter, pie, spans);

    const QRectF outer(pie.centre.x() - pie.radiusX, pie.centre.y() - pie.radiusY, 2 * pie.radiusX, 2 * pie.radiusY);
    const qreal hx = pie.radiusX * pie.holeRatio, hy = pie.radiusY * pie.holeRatio;
    const QRectF inner(pie.centre.x() - hx, pie.centre.y() - hy, 2 * hx, 2 * hy);
    qreal angle = pie.startAngle;
    for (size_t i = 0; i < points.size(); ++i) {
        if (spans[i] <= 0)
            continue;
        QPainterPath slice;
        if (pie.holeRatio > 0) {
            slice.arcMoveTo(outer, angle);
            slice.arcTo(outer, angle, -spans[i]);
            slice.arcTo(inner, angle - spans[i], spans[i]);
            slice.closeSubpath();
        } else {
            slice.moveTo(pie.centre);
            slice.arcTo(outer, angle, -spans[i]);
            slice.closeSubpath();
        }
        // Slices too thin to show an outline are only filled: hundreds of
        // outlines would paint the pie black.
        const bool outlined = qDegreesToRadians(spans[i]) * pie.radiusX >= 4;
        painter.setPen(outlined ? QPen(Qt::black, 1) : QPen(Qt::NoPen));
        painter.setBrush(m_colorOf(int(i)));
        painter.drawPath(slice);
        angle -= spans[i];
    }
    painter.restore();

    if (marks)
        placeMarks(pie, spans, *marks, markText);
}

// A slice's mark stands beyond its rim when it has room there and does not
// touch the marks its neighbours would have there; the marks of crowded
// slices, and of those without room, go to a column on their side of the
// pie, top to bottom in the order their slices meet the rim, each joined to
// its slice by a line. So a run of thin slices reads as one list, and the
// lines of the columns do not cross the marks at the rim.
void PiePlot::placeMarks(const PieGeometry &pie, const std::vector<qreal> &spans, MarkPlacer &marks,
                         const std::function<QString(int)> &markText) const {
    struct Foot {
        QPointF anchor;
        QPointF direction;
    };
    const size_t count = spans.size();
    std::vector<Foot> feet;
    feet.reserve(count);
    qreal angle = pie.startAngle;
    for (size_t i = 0; i < count; ++i) {
        const qreal middle = angle - spans[i] / 2;
        angle -= spans[i];
        QPointF anchor = onEllipse(pie.centre, pie.radiusX, pie.radiusY, middle);
        // Below the pie's middle the wall is the rim the viewer sees.
        if (std::sin(qDegreesToRadians(middle)) < 0)
            anchor.ry() += pie.depth;
        const qreal a = qDegreesToRadians(middle);
        feet.push_back({anchor, QPointF(std::cos(a), -std::sin(a))});
    }

    // Texts are made only for the slices that need them: on a pie of
    // thousands of slices every one is crowded, which one-letter boxes tell.
    std::vector<std::optional<QString>> texts(count);
    const auto textOf = [&](size_t i) -> const QString & {
        if (!texts[i])
            texts[i] = markText(int(i));
        return *texts[i];
    };
    const int arrow = m_settings.arrowLength;
    const auto crowded = [&](size_t i, size_t j) {
        const Foot &a = feet[i], &b = feet[j];
        return !marks.apart(marks.letterBox(a.anchor, a.direction, arrow),
                            marks.letterBox(b.anchor, b.direction, arrow)) ||
               !marks.apart(marks.box(a.anchor, a.direction, arrow, textOf(i)),
                            marks.box(b.anchor, b.direction, arrow, textOf(j)));
    };

    std::vector<size_t> aside;
    for (size_t i = 0; i < count; ++i) {
        const bool alone = count < 2 || (!crowded(i, (i + count - 1) % count) && !crowded(i, (i + 1) % count));
        if (!alone || !marks.mayFit(feet[i].anchor, feet[i].direction, arrow) ||
            !marks.place(feet[i].anchor, feet[i].direction, arrow, textOf(i)))
            aside.push_back(i);
    }
    std::stable_sort(aside.begin(), aside.end(),
                     [&feet](size_t a, size_t b) { return feet[a].anchor.y() < feet[b].anchor.y(); });

    // A column's box stays within half the pie's height of its slice.
    const qreal across = pie.radiusX + arrow, upDown = pie.radiusY + pie.depth / 2;
    MarkPlacer::Column left{pie.centre.x() - across, false, upDown}, right{pie.centre.x() + across, true, upDown};
    for (size_t i : aside) {
        MarkPlacer::Column &column = feet[i].direction.x() < 0 ? left : right;
        if (marks.mayFitInColumn(column, feet[i].anchor))
            marks.placeInColumn(column, feet[i].anchor, textOf(i));
    }
}

void PiePlot::drawWalls(QPainter &painter, const PieGeometry &pie, const std::vector<qreal> &spans) const {
    const QPointF down(0, pie.depth);
    qreal angle = pie.startAngle;
    for (size_t i = 0; i < spans.size(); ++i) {
        const qreal from = angle - spans[i], to = angle;
        angle = from;
        // The viewer sees the wall where the rim runs along the pie's front
        // half, angles 180 to 360 (and their turns).
        for (qreal turn = -720; turn <= 360; turn += 360) {
            const qreal lo = std::max(from, 180 + turn), hi = std::min(to, 360 + turn);
            if (hi <= lo)
                continue;
            QPainterPath wall;
            const int steps = std::max(2, int((hi - lo) / 3));
            for (int s = 0; s <= steps; ++s) {
                const QPointF p = onEllipse(pie.centre, pie.radiusX, pie.radiusY, lo + (hi - lo) * s / steps);
                s == 0 ? wall.moveTo(p) : wall.lineTo(p);
            }
            for (int s = steps; s >= 0; --s)
                wall.lineTo(onEllipse(pie.centre, pie.radiusX, pie.radiusY, lo + (hi - lo) * s / steps) + down);
            wall.closeSubpath();
            const QColor side = m_colorOf(int(i)).darker(150);
            painter.setPen(QPen(side.darker(130), 1));
            painter.setBrush(side);
            painter.drawPath(wall);
        }
    }
}
