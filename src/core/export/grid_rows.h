#pragma once

#include "core/export/export_grid.h"

#include <QStringList>
#include <vector>

struct SheetFill;

// The rows of a grid below its titles, one sheet row per table record or
// grid row, each cell as a number with its format, a date or a text; and the
// totals row after the grids. Starts every row at column A and leaves the
// row cursor on the last row written.
class GridRows {
  public:
    explicit GridRows(SheetFill &fill) : m_fill(fill) {}

    void write(const ExportGrid &grid);

    // At the row cursor: "TOTAL -> " in column A, then, one column further
    // for each line of ColunasTotais (a field's full name or a 1-based grid
    // column number), the integer sum of that sheet column from the first
    // number row down. The first error ends the row silently.
    void writeTotals(const ExportGrid *grid, const QStringList &ColunasTotais);

  private:
    void writeFlatRow(const ExportGrid &grid, int record);
    void writeNestedRow(const ExportGrid &grid, int record, const std::vector<int> &fieldOfColumn);
    void writeTextRow(const QStringList &cells, const ExportGrid &grid, bool pivot);
    void cellColors(const QString &cell, int color, int fontColor);
    void markNumberRow();
    void writeNumber(const QString &cell, const QString &numberFormat, const QVariant &value);
    const QString &cursorCell();

    SheetFill &m_fill;
    // Per field of the grid being written, its display format as the sheet
    // takes it (empty: none).
    std::vector<QString> m_numberFormats;
    // The address of the cell being written, its room reused cell after cell.
    QString m_cell;
};
