#pragma once

#include <QString>

// The figure column marked by a click on its title: the grid column index
// (0 is no mark, so a figure in the grid's first column cannot be marked),
// the field's own name (the data column) and its full name in the result
// table, which the map, the legend and the chart read.
//
// The full name is the clicked field's own. (Searching the attribute lines
// for the first one that merely contains the name would hand the map the
// figures of another column whenever the name occurs inside an earlier line,
// in a formula for instance, and nothing at all for paths longer than 47
// characters.)
struct ColumnMark {
    int tag = 0;              // Tag of dbgDados
    QString FCampoMarcado;    // at most 50 characters
    QString FCampoPercentual; // at most 50 characters

    // Marks the column, or removes the mark when it is the marked one.
    void click(int column, const QString &name, const QString &fullName);
    void clear();
};
