#include "core/chart/engine/cartesian_plot.h"

#include "core/chart/engine/mark_placer.h"
#include "base/data/format_float.h"

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
    const auto &points = m_settings.points;
    const bool horizontal = m_settings.kind == SeriesKind::HorizontalBars;
    const bool valueLabels = horizontal ? m_settings.bottomAxisLabels : m_settings.leftAxisLabels;
    const bool categoryLabels = horizontal ? m_settings.leftAxisLabels : m_settings.bottomAxisLabels;
    const QFontMetricsF metrics(m_font);

    Scale scale = scaleFor(points, horizontal ? plot.width() : plot.height());
    auto tickText = [&](qreal value) { return FormatFloat(m_settings.valueFormat, value); };

    // Room for the labels of each axis.
    qreal left = 0, bottom = 0;
    if (valueLabels) {
        if (horizontal)
            bottom = metrics.height() + 4;
        else
            for (qreal v = scale.low; v <= scale.high + scale.step / 2; v += scale.step)
                left = std::max(left, metrics.horizontalAdvance(tickText(v)) + 6);
    }
    if (categoryLabels) {
        if (horizontal) {
            for (const ChartPoint &point : points)
                left = std::max(left, std::min(kMaxCategoryLabelWidth, metrics.horizontalAdvance(point.label)) + 6);
        } else {
            bottom = metrics.height() + 4;
        }
    }
    const QRectF area = plot.adjusted(left, 0, 0, -bottom);
    const qreal depth = m_settings.view3D ? std::min(kMaxDepth, std::min(area.width(), area.height()) / 10) : 0;
    const QRectF front = area.adjusted(0, depth, -depth, 0);
    if (front.width() < 2 || front.height() < 2)
        return;
    // No mark covers an axis label.
    if (marks) {
        marks->reserve(QRectF(plot.left(), plot.top(), left, plot.height()));
        marks->reserve(QRectF(plot.left(), area.bottom(), plot.width(), bottom));
    }

    const qreal span = scale.high - scale.low;
    auto valuePos = [&](qreal v) {
        return horizontal ? front.left() + (v - scale.low) / span * front.width()
                          : front.bottom() - (v - scale.low) / span * front.height();
    };
    const qreal slot = (horizontal ? front.height() : front.width()) / std::max<size_t>(1, points.size());
    auto categoryPos = [&](size_t i) {
        return (horizontal ? front.top() : front.left()) + (qreal(i) + 0.5) * slot;
    };

    painter.save();
    painter.setFont(m_font);

    // Grid lines and value labels at each tick; the labels keep clear of each other.
    QRectF lastLabel;
    for (qreal v = scale.low; v <= scale.high + scale.step / 2; v += scale.step) {
        const qreal at = valuePos(v);
        painter.setPen(QPen(kGridColor, 1, Qt::DotLine));
        if (horizontal)
            painter.drawLine(QPointF(at, front.top()), QPointF(at, front.bottom()));
        else
            painter.drawLine(QPointF(front.left(), at), QPointF(front.right(), at));
        if (!valueLabels)
            continue;
        const QString text = tickText(std::abs(v) < scale.step / 1e6 ? 0 : v);
        const qreal width = metrics.horizontalAdvance(text);
        const QRectF box = horizontal ? QRectF(at - width / 2, front.bottom() + 2, width, metrics.height())
                                      : QRectF(front.left() - width - 4, at - metrics.height() / 2, width, metrics.height());
        if (!lastLabel.isNull() && lastLabel.intersects(box))
            continue;
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, text);
        lastLabel = box;
    }

    // Point labels along the category axis, each left out when it would
    // touch the one drawn before it.
    if (categoryLabels) {
        painter.setPen(Qt::black);
        lastLabel = QRectF();
        for (size_t i = 0; i < points.size(); ++i) {
            const qreal at = categoryPos(i);
            QRectF box;
            QString text;
            if (horizontal) {
                text = metrics.elidedText(points[i].label, Qt::ElideRight, left - 6);
                box = QRectF(front.left() - left, at - metrics.height() / 2, left - 4, metrics.height());
            } else {
                text = metrics.elidedText(points[i].label, Qt::ElideRight, kMaxCategoryLabelWidth);
                const qreal width = metrics.horizontalAdvance(text);
                box = QRectF(at - width / 2, front.bottom() + 2, width, metrics.height());
            }
            if (!lastLabel.isNull() && lastLabel.intersects(box))
                continue;
            painter.drawText(box, horizontal ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter, text);
            lastLabel = box;
        }
    }

    // The items, front to back in table order. Smoothing the edges of
    // hundreds of thin items costs much and shows nothing.
    painter.setRenderHint(QPainter::Antialiasing, points.size() <= kSmoothedItems);
    const qreal zero = valuePos(std::clamp<qreal>(0, scale.low, scale.high));
    for (size_t i = 0; i < points.size(); ++i) {
        const qreal value = std::isfinite(points[i].value) ? points[i].value : 0;
        const QColor color = m_colorOf(int(i));
        const qreal at = categoryPos(i), end = valuePos(value);
        const qreal sign = value < 0 ? -1 : 1;
        QPointF anchor;
        QPointF direction(0, -sign);
        switch (m_settings.kind) {
        case SeriesKind::Points: {
            const qreal size = std::clamp<qreal>(slot * 0.4, 2, 4);
            const QPointF centre(at, end);
            const QPolygonF diamond{centre + QPointF(0, -size), centre + QPointF(size, 0), centre + QPointF(0, size),
                                    centre + QPointF(-size, 0)};
            const qreal offset = std::min<qreal>(depth / 2, 3);
            if (offset > 0) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(color.darker(150));
                painter.drawPolygon(diamond.translated(offset, -offset));
            }
            painter.setPen(QPen(color.darker(150), 1));
            painter.setBrush(color);
            painter.drawPolygon(diamond);
            anchor = centre - QPointF(0, size);
            direction = QPointF(0, -1);
            break;
        }
        case SeriesKind::Volume: {
            const qreal offset = depth / 2;
            if (offset > 0) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(color.darker(150));
                painter.drawPolygon(QPolygonF{QPointF(at, zero), QPointF(at, end), QPointF(at + offset, end - offset),
                                              QPointF(at + offset, zero - offset)});
            }
            painter.setPen(QPen(color, m_style.volumePenWidth, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(at, zero), QPointF(at, end));
            anchor = QPointF(at, end);
            break;
        }
        case SeriesKind::HorizontalBars:
        case SeriesKind::VerticalBars: {
            const qreal thickness = std::max<qreal>(1, slot * m_style.barWidthPercent / 100);
            const QRectF bar = horizontal ? QRectF(QPointF(zero, at - thickness / 2), QPointF(end, at + thickness / 2)).normalized()
                                          : QRectF(QPointF(at - thickness / 2, end), QPointF(at + thickness / 2, zero)).normalized();
            // The gradient runs from the point's colour on the left (or at
            // the top) to a paler tint of it.
            QLinearGradient gradient = horizontal ? QLinearGradient(bar.topLeft(), bar.topRight())
                                                  : QLinearGradient(bar.topLeft(), bar.bottomLeft());
            gradient.setColorAt(0, color);
            gradient.setColorAt(1, lighter(color));
            painter.setPen(Qt::NoPen);
            drawDepth(painter, bar, std::min(depth, thickness), color);
            painter.setBrush(gradient);
            painter.drawRect(bar);
            if (horizontal) {
                anchor = QPointF(end, at);
                direction = QPointF(sign, 0);
            } else {
                anchor = QPointF(at, end);
            }
            break;
        }
        case SeriesKind::Donut:
            break;
        }
        if (marks && marks->mayFit(anchor, direction, m_settings.arrowLength))
            marks->place(anchor, direction, m_settings.arrowLength, markText(int(i)));
    }

    // The axes over the items' feet.
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(front.topLeft(), front.bottomLeft());
    painter.drawLine(front.bottomLeft(), front.bottomRight());
    painter.restore();
}
