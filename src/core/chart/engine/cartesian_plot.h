#pragma once

#include "core/chart/engine/chart_settings.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <functional>

class MarkPlacer;
class QFontMetricsF;
class QPainter;

// The series drawn against two axes: points, vertical lines and bars. The
// points stand in table order along the category axis (left to right, or
// top to bottom for horizontal bars) and the values are measured along the
// value axis from a scale that takes in zero. The axis switches show the
// value labels on the value axis and the point labels on the category
// axis; point labels that would overlap the one before are left out. In 3D
// every item gets a depth offset up and to the right.
class CartesianPlot {
public:
    CartesianPlot(const ChartSettings &settings, const ChartStyle &style, const QFont &font,
                  std::function<QColor(int)> colorOf);

    void draw(QPainter &painter, const QRectF &plot, MarkPlacer *marks,
              const std::function<QString(int)> &markText) const;

private:
    struct Scale {
        qreal low = 0;
        qreal high = 1;
        qreal step = 1;
    };
    static Scale scaleFor(const std::vector<ChartPoint> &points, qreal length);

    // Where one drawing puts its parts: the room kept for the axis labels
    // (on the left and at the bottom of the plot), the depth of the 3D view
    // and the front face of the area the items stand in.
    struct Layout {
        bool horizontal = false;
        bool valueLabels = false;
        bool categoryLabels = false;
        Scale scale;
        qreal left = 0;
        qreal bottom = 0;
        QRectF area;
        qreal depth = 0;
        QRectF front;
        // The room of each point along the category axis.
        qreal slot = 0;

        // Where a value lies along the value axis, and the middle of a
        // point's slot along the category axis.
        qreal valuePos(qreal value) const;
        qreal categoryPos(size_t index) const;
    };

    // One point's item: the middle of its slot, where the value axis has
    // zero and where the value ends along it, the side of zero the value
    // lies on (1 or -1), and the point's colour.
    struct Item {
        qreal at = 0;
        qreal zero = 0;
        qreal end = 0;
        qreal sign = 1;
        QColor color;
    };

    // Where a mark stands beside its item, and the way its arrow points.
    struct MarkFoot {
        QPointF anchor;
        QPointF direction;
    };

    Layout layoutFor(const QRectF &plot, const QFontMetricsF &metrics) const;
    QString tickText(qreal value) const;
    void drawValueAxis(QPainter &painter, const Layout &layout, const QFontMetricsF &metrics) const;
    void drawCategoryLabels(QPainter &painter, const Layout &layout, const QFontMetricsF &metrics) const;
    void drawItems(QPainter &painter, const Layout &layout, MarkPlacer *marks,
                   const std::function<QString(int)> &markText) const;
    MarkFoot drawItem(QPainter &painter, const Layout &layout, const Item &item) const;
    static MarkFoot drawPoint(QPainter &painter, const Layout &layout, const Item &item);
    MarkFoot drawVolume(QPainter &painter, const Layout &layout, const Item &item) const;
    MarkFoot drawBar(QPainter &painter, const Layout &layout, const Item &item) const;
    static void drawAxes(QPainter &painter, const QRectF &front);

    const ChartSettings &m_settings;
    const ChartStyle &m_style;
    QFont m_font;
    std::function<QColor(int)> m_colorOf;
};
