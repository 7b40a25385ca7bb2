#include "core/export/map_command.h"

#include "base/data/figure_locale.h"
#include "core/export/value_column.h"
#include "core/map/map_drawing.h"
#include "core/map/map_legend.h"
#include "base/table/column_mark.h"
#include "base/table/result_field.h"

namespace MapCommand {

QImage picture(Database &database, const CurrentResult &result, const QString &coluna,
               const std::function<void(const QString &)> &warn) {
    const ResultField &field = ValueColumn::find(result, coluna);
    // Marked as a click on the column's title marks it.
    ColumnMark mark;
    mark.click(1, field.name(), field.fullName());
    MapRequest request = MapRequest::from(result);
    request.FCampoMarcado = mark.FCampoMarcado;
    request.FCampoPercentual = mark.FCampoPercentual;
    // The legend's bounds are written as the program writes them.
    MapLegend legend(FigureLocale::forFigures());
    MapDrawing::Hooks hooks;
    hooks.legendWarning = warn;
    return MapDrawing::MostraMapa(database, request, legend, true, hooks).picture;
}

} // namespace MapCommand
