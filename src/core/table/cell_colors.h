#pragma once

#include <QColor>

// Colours of the data grid's cells: total rows, and other rows alternating by
// their sequence number, each with a stronger shade in the marked column;
// the current cell keeps its colour and gets navy text.
namespace CellColors {

QColor brush(bool totalRow, int recNo, bool markedColumn);
QColor text(bool currentCell);

// Background of the grids and of their titles.
QColor gridBackground();
QColor titleBackground();

} // namespace CellColors
