#include "core/table/cell_colors.h"

#include "core/drawing/color_number.h"
#include "core/drawing/program_colors.h"

namespace CellColors {

QColor brush(bool totalRow, int recNo, bool markedColumn) {
    if (totalRow)
        return ColorNumber::toColor(markedColumn ? 28637 : 6205183);
    if (recNo % 2 == 0)
        return ColorNumber::toColor(markedColumn ? 8957695 : 11589887);
    return ColorNumber::toColor(markedColumn ? 8585215 : 14024703);
}

QColor text(bool currentCell) { return currentCell ? ColorNumber::toColor(ProgramColors::kNavy) : QColor(Qt::black); }

QColor gridBackground() { return ColorNumber::toColor(11589887); }
QColor titleBackground() { return ColorNumber::toColor(ProgramColors::kPanel); }

} // namespace CellColors
