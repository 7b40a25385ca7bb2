#pragma once

#include <QString>

struct ExportGrid;
struct SheetFill;

// The column titles of a grid at the fill's cursors: one row for a string
// grid and for a grid over a table without group fields; for the program's
// own table with group fields, up to four rows where every group title is
// merged across the columns of its members and the members stand below.
// Leaves the row cursor on the last title row.
class GridTitles {
  public:
    explicit GridTitles(SheetFill &fill) : m_fill(fill) {}

    void write(const ExportGrid &grid);

    // Whether the grid's titles (and rows) are written nested: the grid is
    // over the program's in-memory table and one of its columns, shown or
    // not, shows a group field.
    static bool nested(const ExportGrid &grid);

  private:
    void titleCell(const QString &cell, const QString &text, qsizetype width);
    void writeStringGrid(const ExportGrid &grid);
    void writeFlat(const ExportGrid &grid);
    void writeNested(const ExportGrid &grid);
    void writeChildren(const ExportGrid &grid, int parent, int level, int topRow);

    SheetFill &m_fill;
    int m_depth = 0;
    bool m_reached[4] = {};
};
