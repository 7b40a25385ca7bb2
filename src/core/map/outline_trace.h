#pragma once

#include <QImage>
#include <QList>
#include <QPoint>

// The outline of one map area, traced from a click for the area list: the
// start point (the area's seed), the outline's points in visiting order
// (the start first) and, for a trace along the border, the colour each
// point had before the trace painted it.
struct OutlineTrace {
    QPoint start;
    QList<QPoint> points;
    QList<QRgb> savedColors;

    bool isEmpty() const { return points.isEmpty(); }
};

// Follows the inside of the border lines (pixels of colour border) around
// the area holding the click, painting every visited point with selection.
// The trace starts below the nearest border pixel above the click (at the
// click when there is none) and ends on returning to its start, on
// revisiting one of the three pixels right below the start, or when more
// than 51 steps in a row over visited points find no way on. It never leaves
// the picture: the picture's edge stops it as a border line would. A click
// or start outside the picture traces nothing.
OutlineTrace traceAlongBorder(QImage &picture, QPoint click, QRgb border, QRgb selection);

// Follows the edge of the patch of the clicked pixel's colour, from the top
// of that colour's run in the clicked column, without painting. Where no
// edge step is left it steps straight on, which may leave the patch and
// never lead back; so a revisit that finds no step ends the trace instead
// of stepping on when the step would leave the picture, or when more than
// 51 passes have gone by since the trace last reached a new pixel of the
// patch. The outline thus never holds a point outside the picture.
OutlineTrace traceAlongColor(const QImage &picture, QPoint click);

// Gives every traced point back the colour it had before a border trace.
void restoreOutline(QImage &picture, const OutlineTrace &trace);
