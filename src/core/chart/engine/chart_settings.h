#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <vector>

// The five kinds of series a chart draws, in the order of the chart types
// the window offers (the index is the chart type).
enum class SeriesKind { Donut = 0, Points = 1, Volume = 2, HorizontalBars = 3, VerticalBars = 4 };

// What the text beside each point says.
enum class MarksStyle { Value, Percent, Label };

// What each legend entry says: the point's label, its value, or the label
// with the value right-aligned beside it.
enum class LegendTextStyle { Plain, Value, RightValue };

// One point: one detail row of the table, its place name and its figure.
struct ChartPoint {
    QString label;
    double value = 0;
};

// The chart's look, fixed for the chart page: every chart the program draws
// has these colours, sizes and angles. Colours are as the table pictures
// them (red, green, blue).
struct ChartStyle {
    // Background gradient, its start colour on the right, its end colour on
    // the left.
    QColor backgroundStart{255, 205, 159};
    QColor backgroundEnd{179, 89, 0};
    int marginTop = 2;
    int marginBottom = 2;
    int marginSides = 0;

    QColor titleColor{0, 0, 128};

    // The tilted pie: seen from 360 - elevation degrees above its plane,
    // turned by the rotation, at a zoom percentage of the room it has.
    int elevation = 315;
    int rotation = 360;
    int zoom = 97;

    QColor legendStart{189, 194, 206};
    QColor legendEnd{230, 231, 236};
    int legendShadow = 2;
    int legendSymbolWidth = 15;
    // The legend's top edge, as a percentage of the chart's height.
    int legendTopPercent = 15;
    // Extra room between legend rows; negative rows overlap by that much.
    int legendRowSpacing = -1;
    int legendFontPixels = 9;

    // Thickness of a bar across its slot, in percent.
    int barWidthPercent = 30;
    // Each vertical line is drawn this wide, in its point's colour.
    int volumePenWidth = 2;
};

// What one drawing shows: the series kind and its points in table order,
// the title lines, marks, legend, view and axis switches.
struct ChartSettings {
    SeriesKind kind = SeriesKind::Donut;
    std::vector<ChartPoint> points;
    QStringList titleLines;
    // Display picture of the values in marks, legend and axis labels.
    QString valueFormat = QStringLiteral("###,##0.##");

    bool marksVisible = true;
    MarksStyle marksStyle = MarksStyle::Value;
    // Length of the line from a point to its mark, in pixels.
    int arrowLength = 8;

    bool legendVisible = true;
    LegendTextStyle legendTextStyle = LegendTextStyle::Plain;

    bool view3D = true;
    bool leftAxisLabels = true;
    bool bottomAxisLabels = false;
};
