#pragma once

#include "core/chart/engine/chart_settings.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <functional>

class MarkPlacer;
class QPainter;

// Where a pie lies in its plot area: the centre of its top face, the radii
// of that face (equal when seen from straight above or drawn flat), the
// height of its side wall, the hole of the flat donut as a fraction of the
// radius, and the angle the first slice starts at (degrees anticlockwise
// from three o'clock; slices follow clockwise).
struct PieGeometry {
    QPointF centre;
    qreal radiusX = 0;
    qreal radiusY = 0;
    qreal depth = 0;
    qreal holeRatio = 0;
    qreal startAngle = 90;
};

// The donut series: flat, a circled ring; in 3D, a pie tilted by the
// style's elevation with a side wall under its front half. Each slice's
// angle is its share of the sum of the values (taken without sign).
class PiePlot {
public:
    PiePlot(const ChartSettings &settings, const ChartStyle &style, std::function<QColor(int)> colorOf);

    // markRoom: the room marks need around the pie, across and up or down.
    PieGeometry geometry(const QRectF &plot, const QSizeF &markRoom) const;

    void draw(QPainter &painter, const PieGeometry &pie, MarkPlacer *marks,
              const std::function<QString(int)> &markText) const;

private:
    void placeMarks(const PieGeometry &pie, const std::vector<qreal> &spans, MarkPlacer &marks,
                    const std::function<QString(int)> &markText) const;
    void drawWalls(QPainter &painter, const PieGeometry &pie, const std::vector<qreal> &spans) const;

    const ChartSettings &m_settings;
    const ChartStyle &m_style;
    std::function<QColor(int)> m_colorOf;
};
