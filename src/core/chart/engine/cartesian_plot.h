#pragma once

#include "core/chart/engine/chart_settings.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <functional>

class MarkPlacer;
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

    const ChartSettings &m_settings;
    const ChartStyle &m_style;
    QFont m_font;
    std::function<QColor(int)> m_colorOf;
};
