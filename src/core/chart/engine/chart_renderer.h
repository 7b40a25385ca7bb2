#pragma once

#include "core/chart/engine/chart_settings.h"
#include "core/chart/engine/mark_placer.h"
#include "core/chart/engine/pie_plot.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QStringList>

class QPainter;

// Draws a whole chart onto any paint device (a widget, a picture, a vector
// file): the background gradient, the title lines, the legend with one entry
// per point, the series of the chosen kind and its marks. It keeps no state
// between drawings; the same settings give the same picture.
class ChartRenderer {
public:
    explicit ChartRenderer(ChartSettings settings, ChartStyle style = {});

    const ChartSettings &settings() const { return m_settings; }

    // Returns the marks it drew, so that their places can be checked.
    std::vector<MarkPlacer::Mark> draw(QPainter &painter, const QRect &area) const;

    // The chart at the given size over a white ground.
    QImage picture(const QSize &size) const;

    // Where the parts of the chart lie when drawn into area. The legend
    // shows legendRows rows; when not every point has room, the last of
    // them is "…".
    struct Frame {
        QRect title;
        QRect legend;
        int legendRows = 0;
        bool legendCut = false;
        QRect plot;
    };
    Frame frame(const QRect &area) const;

    // Where the donut lies when drawn into area.
    PieGeometry pieGeometry(const QRect &area) const;

    // The colour of the point at index: one fixed palette, repeated.
    static QColor pointColor(int index);

    // A point's mark text in the marks style, and its value as text (none
    // for a value that is no number).
    QString markText(int index) const;
    QString valueText(double value) const;

private:
    QSizeF pieMarkRoom() const;
    void drawTitle(QPainter &painter, const QRect &area) const;
    void drawLegend(QPainter &painter, const Frame &frame) const;
    QString legendText(int index) const;

    ChartSettings m_settings;
    ChartStyle m_style;
    QFont m_titleFont;
    QFont m_legendFont;
    QFont m_markFont;
    double m_absoluteTotal = 0;
};
