#include "core/export/export_drawing.h"

#include "base/data/safe_file.h"
#include "base/export/bad_input.h"
#include "base/table/column_mark.h"
#include "core/chart/engine/chart_file.h"
#include "core/export/chart_command.h"
#include "core/export/output_step.h"
#include "core/export/value_column.h"
#include "core/export/workbook_command.h"
#include "core/map/map_drawing.h"
#include "core/map/map_file.h"
#include "core/map/map_legend.h"

#include <QImage>

#include <optional>

namespace ExportDrawing {
namespace {

using ExportCommand::isWorkbook;
using ExportCommand::Options;

QImage mapPicture(Database &db, const CurrentResult &result, const QString &coluna,
                  const std::function<void(const QString &)> &warn) {
    MapLegend legend;
    MapDrawing::Hooks hooks;
    hooks.legendWarning = warn;
    return MapDrawing::MostraMapa(db, result, ValueColumn::mark(result, coluna), legend, true, hooks).picture;
}

} // namespace

bool write(Database &db, const CurrentResult &result, const Options &options,
           const std::function<void(const QString &)> &warn) {
    try {
        // Every picture is composed before any file is written: a column,
        // chart choice or map the selection refuses leaves every file as it
        // was.
        std::optional<QImage> map;
        std::optional<ChartRenderer> chart;
        if (!options.mapa.isEmpty())
            map = OutputStep::run(QStringLiteral("o mapa"), options.mapa,
                                  [&] { return mapPicture(db, result, options.coluna, warn); });
        if (!options.grafico.isEmpty())
            chart = OutputStep::run(QStringLiteral("o gráfico"), options.grafico,
                                    [&] { return ChartCommand::compose(db, result, options); });

        if (map) {
            OutputStep::run(QStringLiteral("o mapa"), options.mapa, [&] {
                if (isWorkbook(options.mapa))
                    WorkbookCommand::writePage(db, result, ExportReport::kMapPage, options.mapa, *map);
                else
                    SafeFile::write(options.mapa, MapFile::encode(*map, *MapFile::formatOf(options.mapa)));
            });
        }
        if (chart) {
            OutputStep::run(QStringLiteral("o gráfico"), options.grafico, [&] {
                if (isWorkbook(options.grafico))
                    WorkbookCommand::writePage(db, result, ExportReport::kChartPage, options.grafico,
                                               chart->picture(options.tamanho));
                else
                    ChartFile::save(options.grafico, *chart, options.tamanho);
            });
        }
        return WorkbookCommand::writeTable(db, result, options) || map || chart;
    } catch (const MapRefusal &e) {
        // A map the selection cannot have is the user's choice to mend, as
        // any other input the command refuses.
        throw BadInput(e.message());
    }
}

} // namespace ExportDrawing
