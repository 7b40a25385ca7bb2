#pragma once

#include "core/drawing/picture_piece.h"

#include <QImage>
#include <QList>
#include <QSize>

class MapLegend;
class QPainter;

// The legend grid as it looks on the map page, drawn without a window: 4
// columns of 23, 56, 12 and 56 pixels, rows of 18 and 19 pixels and then 18
// for the eight classes, one-pixel grid lines, 152 x 192 pixels in all. Row
// 0 holds the title, row 1 the headers "Cor", "De", "-", "Ate"; each class
// row its colour, its lower bound, "a" and its upper bound. The map picture
// carries this image beside the map; the page's grid draws its cells with
// the same painter, so both look alike.
namespace LegendPicture {

inline constexpr int kColumns = 4;
inline constexpr int kRows = 10;
inline constexpr int kColumnWidths[kColumns] = {23, 56, 12, 56};
inline constexpr int kRowHeights[kRows] = {18, 19, 18, 18, 18, 18, 18, 18, 18, 18};
inline const QSize kSize{152, 192};

// Background of the cells that take text (15659506).
inline constexpr QRgb kBackground = qRgb(242, 241, 238);

// The title row, drawn across the whole row over its cells.
void paintTitle(QPainter &painter, int rowWidth);
// One cell of the grid within rect (row 0 is left to paintTitle).
void paintCell(QPainter &painter, const QRect &rect, int row, int column, const QString &text);
// The text of a cell: headers, bounds and the "a" between them.
QString cellText(const MapLegend &legend, int row, int column);

// The whole legend, grid lines, cells and title, as pieces in the legend's
// own coordinates, in drawing order: what render paints and what a vector
// map writes.
QList<PicturePiece> pieces(const MapLegend &legend);

QImage render(const MapLegend &legend);

} // namespace LegendPicture
