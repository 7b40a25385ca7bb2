#pragma once

#include "core/export/sheet_column.h"

class SheetAutomation;

// The cursors and settings of one sheet fill, shared by the writers of the
// line blocks, the grid titles, the grid rows and the totals row.
struct SheetFill {
    SheetFill(SheetAutomation &s, bool exportarCores, bool sepDecimalDefault)
        : sheet(s), ExportarCores(exportarCores), SepDecimalDefault(sepDecimalDefault) {}

    SheetAutomation &sheet;
    const bool ExportarCores;
    const bool SepDecimalDefault;

    int row = 0; // sheet row last used, 0 before the first
    SheetColumn column;
    // Column cursors of the title rows below the top one (index 1 to 3).
    SheetColumn levels[4];
    int firstNumberRow = 0; // row of the first number written, 0 while none
};
