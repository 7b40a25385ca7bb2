#include "core/chart/engine/cartesian_plot.h"

#include "base/data/format_float.h"
#include "core/chart/engine/mark_placer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace {

// Value ticks stand at least this far apart.
constexpr qreal kTickSpacing = 40;
constexpr qreal kMaxDepth = 10;
constexpr size_t kSmoothedItems = 100;
constexpr qreal kMaxCategoryLabelWidth = 100;
const QColor kGridColor(128, 128, 128);

QColor lighter(const QColor &color) {
    return QColor((color.red() + 255) / 2, (color.green() + 255) / 2, (color.blue() + 255) / 2);
}

// The top face and the right face of a box seen from the front, up and to
// the right by offset.
void drawDepth(QPainter &painter, const QRectF &front, qreal offset, const QColor &color) {
    if (offset <= 0)
        return;
    const QPointF o(offset, -offset);
    painter.setBrush(lighter(color));
    painter.drawPolygon(QPolygonF{front.topLeft(), front.topRight(), front.topRight() + o, front.topLeft() + o});
    painter.setBrush(color.darker(150));
    painter.drawPolygon(QPolygonF{front.topRight(), front.bottomRight(), front.bottomRight() + o, front.topRight() + o});
}

} // namespace

CartesianPlot::CartesianPlot(const ChartSettings &settings, const ChartStyle &style, const QFont &font,
                             std::function<QColor(int)> colorOf)
    : m_settings(settings), m_style(style), m_font(font), m_colorOf(std::move(colorOf)) {}

CartesianPlot::Scale CartesianPlot::scaleFor(const std::vector<ChartPoint> &points, qreal length) {
    qreal low = 0, high = 0;
    for (const ChartPoint &point : points) {
        if (!std::isfinite(point.value))
            continue;
        low = std::min(low, point.value);
        high = std::max(high, point.value);
    }
    if (high - low <= 0)
        high = low + 1;
    // A round step (1, 2 or 5 times a power of ten) that keeps the ticks
    // apart, and the range widened to whole steps.
    const qreal ticks = std::max<qreal>(1, std::floor(length / kTickSpacing));
    const qreal raw = (high - low) / ticks;
    const qreal power = std::pow(10, std::floor(std::log10(raw)));
    qreal step = power;
    for (qreal factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * power;
        if (step >= raw)
            break;
    }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

void CartesianPlot::draw(QPainter &painter, const QRectF &plot, MarkPlacer *marks,
                         const std::function<QString(int)> &markText) const {
    const QFontMetricsF metrics(m_font);
    const Layout layout = layoutFor(plot, metrics);
    if (layout.front.width() < 2 || layout.front.height() < 2)
        return;
    // No mark covers an axis label.
    if (marks) {
        marks->reserve(QRectF(plot.left(), plot.top(), layout.left, plot.height()));
        marks->reserve(QRectF(plot.left(), layout.area.bottom(), plot.width(), layout.bottom));
    }

    painter.save();
    painter.setFont(m_font);
    drawValueAxis(painter, layout, metrics);
    if (layout.categoryLabels)
        drawCategoryLabels(painter, layout, metrics);
    drawItems(painter, layout, marks, markText);
    drawAxes(painter, layout.front);
    painter.restore();
}

qreal CartesianPlot::Layout::valuePos(qreal value) const {
    const qreal span = scale.high - scale.low;
    return horizontal ? front.left() + (value - scale.low) / span * front.width()
                      : front.bottom() - (value - scale.low) / span * front.height();
}

qreal CartesianPlot::Layout::categoryPos(size_t index) const {
    return (horizontal ? front.top() : front.left()) + (qreal(index) + 0.5) * slot;
}

CartesianPlot::Layout CartesianPlot::layoutFor(const QRectF &plot, const QFontMetricsF &metrics) const {
    const auto &points = m_settings.points;
    Layout layout;
    layout.horizontal = m_settings.kind == SeriesKind::HorizontalBars;
    layout.valueLabels = layout.horizontal ? m_settings.bottomAxisLabels : m_settings.leftAxisLabels;
    layout.categoryLabels = layout.horizontal ? m_settings.leftAxisLabels : m_settings.bottomAxisLabels;
    layout.scale = scaleFor(points, layout.horizontal ? plot.width() : plot.height());
    const Scale &scale = layout.scale;

    // Room for the labels of each axis.
    if (layout.valueLabels) {
        if (layout.horizontal)
            layout.bottom = metrics.height() + 4;
        else
            for (qreal v = scale.low; v <= scale.high + scale.step / 2; v += scale.step)
                layout.left = std::max(layout.left, metrics.horizontalAdvance(tickText(v)) + 6);
    }
    if (layout.categoryLabels) {
        if (layout.horizontal) {
            for (const ChartPoint &point : points)
                layout.left =
                    std::max(layout.left, std::min(kMaxCategoryLabelWidth, metrics.horizontalAdvance(point.label)) + 6);
        } else {
            layout.bottom = metrics.height() + 4;
        }
    }
    layout.area = plot.adjusted(layout.left, 0, 0, -layout.bottom);
    layout.depth =
        m_settings.view3D ? std::min(kMaxDepth, std::min(layout.area.width(), layout.area.height()) / 10) : 0;
    layout.front = layout.area.adjusted(0, layout.depth, -layout.depth, 0);
    layout.slot =
        (layout.horizontal ? layout.front.height() : layout.front.width()) / std::max<size_t>(1, points.size());
    return layout;
}

QString CartesianPlot::tickText(qreal value) const { return FormatFloat(m_settings.valueFormat, value); }

// Grid lines and value labels at each tick; the labels keep clear of each other.
void CartesianPlot::drawValueAxis(QPainter &painter, const Layout &layout, const QFontMetricsF &metrics) const {
    const Scale &scale = layout.scale;
    const QRectF &front = layout.front;
    QRectF lastLabel;
    for (qreal v = scale.low; v <= scale.high + scale.step / 2; v += scale.step) {
        const qreal at = layout.valuePos(v);
        painter.setPen(QPen(kGridColor, 1, Qt::DotLine));
        if (layout.horizontal)
            painter.drawLine(QPointF(at, front.top()), QPointF(at, front.bottom()));
        else
            painter.drawLine(QPointF(front.left(), at), QPointF(front.right(), at));
        if (!layout.valueLabels)
            continue;
        const QString text = tickText(std::abs(v) < scale.step / 1e6 ? 0 : v);
        const qreal width = metrics.horizontalAdvance(text);
        const QRectF box = layout.horizontal
                               ? QRectF(at - width / 2, front.bottom() + 2, width, metrics.height())
                               : QRectF(front.left() - width - 4, at - metrics.height() / 2, width, metrics.height());
        if (!lastLabel.isNull() && lastLabel.intersects(box))
            continue;
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, text);
        lastLabel = box;
    }
}

// Point labels along the category axis, each left out when it would touch
// the one drawn before it.
void CartesianPlot::drawCategoryLabels(QPainter &painter, const Layout &layout, const QFontMetricsF &metrics) const {
    const auto &points = m_settings.points;
    const QRectF &front = layout.front;
    painter.setPen(Qt::black);
    QRectF lastLabel;
    for (size_t i = 0; i < points.size(); ++i) {
        const qreal at = layout.categoryPos(i);
        QRectF box;
        QString text;
        if (layout.horizontal) {
            text = metrics.elidedText(points[i].label, Qt::ElideRight, layout.left - 6);
            box = QRectF(front.left() - layout.left, at - metrics.height() / 2, layout.left - 4, metrics.height());
        } else {
            text = metrics.elidedText(points[i].label, Qt::ElideRight, kMaxCategoryLabelWidth);
            const qreal width = metrics.horizontalAdvance(text);
            box = QRectF(at - width / 2, front.bottom() + 2, width, metrics.height());
        }
        if (!lastLabel.isNull() && lastLabel.intersects(box))
            continue;
        painter.drawText(box, layout.horizontal ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter, text);
        lastLabel = box;
    }
}

// The items, front to back in table order, each with its mark when the mark
// has room.
void CartesianPlot::drawItems(QPainter &painter, const Layout &layout, MarkPlacer *marks,
                              const std::function<QString(int)> &markText) const {
    const auto &points = m_settings.points;
    // Smoothing the edges of hundreds of thin items costs much and shows nothing.
    painter.setRenderHint(QPainter::Antialiasing, points.size() <= kSmoothedItems);
    const qreal zero = layout.valuePos(std::clamp<qreal>(0, layout.scale.low, layout.scale.high));
    for (size_t i = 0; i < points.size(); ++i) {
        const qreal value = std::isfinite(points[i].value) ? points[i].value : 0;
        Item item;
        item.color = m_colorOf(int(i));
        item.at = layout.categoryPos(i);
        item.zero = zero;
        item.end = layout.valuePos(value);
        item.sign = value < 0 ? -1 : 1;
        const MarkFoot foot = drawItem(painter, layout, item);
        if (marks && marks->mayFit(foot.anchor, foot.direction, m_settings.arrowLength))
            marks->place(foot.anchor, foot.direction, m_settings.arrowLength, markText(int(i)));
    }
}

CartesianPlot::MarkFoot CartesianPlot::drawItem(QPainter &painter, const Layout &layout, const Item &item) const {
    switch (m_settings.kind) {
    case SeriesKind::Points:
        return drawPoint(painter, layout, item);
    case SeriesKind::Volume:
        return drawVolume(painter, layout, item);
    case SeriesKind::HorizontalBars:
    case SeriesKind::VerticalBars:
        return drawBar(painter, layout, item);
    case SeriesKind::Donut:
        break;
    }
    return {QPointF(), QPointF(0, -item.sign)};
}

// A diamond at the value, with a shadow behind it in 3D; its mark stands
// above it.
CartesianPlot::MarkFoot CartesianPlot::drawPoint(QPainter &painter, const Layout &layout, const Item &item) {
    const qreal size = std::clamp<qreal>(layout.slot * 0.4, 2, 4);
    const QPointF centre(item.at, item.end);
    const QPolygonF diamond{centre + QPointF(0, -size), centre + QPointF(size, 0), centre + QPointF(0, size),
                            centre + QPointF(-size, 0)};
    const qreal offset = std::min<qreal>(layout.depth / 2, 3);
    if (offset > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(item.color.darker(150));
        painter.drawPolygon(diamond.translated(offset, -offset));
    }
    painter.setPen(QPen(item.color.darker(150), 1));
    painter.setBrush(item.color);
    painter.drawPolygon(diamond);
    return {centre - QPointF(0, size), QPointF(0, -1)};
}

// A line from zero to the value, with a shaded side in 3D.
CartesianPlot::MarkFoot CartesianPlot::drawVolume(QPainter &painter, const Layout &layout, const Item &item) const {
    const qreal at = item.at, zero = item.zero, end = item.end;
    const qreal offset = layout.depth / 2;
    if (offset > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(item.color.darker(150));
        painter.drawPolygon(QPolygonF{QPointF(at, zero), QPointF(at, end), QPointF(at + offset, end - offset),
                                      QPointF(at + offset, zero - offset)});
    }
    painter.setPen(QPen(item.color, m_style.volumePenWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(at, zero), QPointF(at, end));
    return {QPointF(at, end), QPointF(0, -item.sign)};
}

// A bar from zero to the value, its width a share of the slot, with a top
// and a side in 3D.
CartesianPlot::MarkFoot CartesianPlot::drawBar(QPainter &painter, const Layout &layout, const Item &item) const {
    const qreal at = item.at, zero = item.zero, end = item.end;
    const qreal thickness = std::max<qreal>(1, layout.slot * m_style.barWidthPercent / 100);
    const QRectF bar = layout.horizontal
                           ? QRectF(QPointF(zero, at - thickness / 2), QPointF(end, at + thickness / 2)).normalized()
                           : QRectF(QPointF(at - thickness / 2, end), QPointF(at + thickness / 2, zero)).normalized();
    // The gradient runs from the point's colour on the left (or at the top)
    // to a paler tint of it.
    QLinearGradient gradient = layout.horizontal ? QLinearGradient(bar.topLeft(), bar.topRight())
                                                 : QLinearGradient(bar.topLeft(), bar.bottomLeft());
    gradient.setColorAt(0, item.color);
    gradient.setColorAt(1, lighter(item.color));
    painter.setPen(Qt::NoPen);
    drawDepth(painter, bar, std::min(layout.depth, thickness), item.color);
    painter.setBrush(gradient);
    painter.drawRect(bar);
    if (layout.horizontal)
        return {QPointF(end, at), QPointF(item.sign, 0)};
    return {QPointF(at, end), QPointF(0, -item.sign)};
}

// The axes over the items' feet.
void CartesianPlot::drawAxes(QPainter &painter, const QRectF &front) {
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(front.topLeft(), front.bottomLeft());
    painter.drawLine(front.bottomLeft(), front.bottomRight());
}
