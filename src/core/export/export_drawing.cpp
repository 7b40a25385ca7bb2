#include "core/export/export_drawing.h"

#include "base/data/system_error.h"
#include "base/export/bad_input.h"
#include "base/table/column_mark.h"
#include "core/chart/engine/chart_file.h"
#include "core/export/chart_command.h"
#include "core/export/export_report.h"
#include "core/export/value_column.h"
#include "core/export/varnik_export.h"
#include "core/map/map_drawing.h"
#include "core/map/map_file.h"
#include "core/map/map_legend.h"

#include <QImage>

#include <cerrno>
#include <new>
#include <optional>

namespace ExportDrawing {
namespace {

using ExportCommand::isWorkbook;
using ExportCommand::Options;

// The workbook the export dialog writes on the page for this run: the table
// on the data page, the picture on the map and chart pages. Its name ends
// in ".xlsx", as the options require.
void writeWorkbook(Database &db, const CurrentResult &result, ExportReport::Page page, const QString &path,
                   const QImage &picture = QImage()) {
    TVarnikExport exporter;
    ExportReport::writeWorkbook(exporter, db, result, page, picture, path);
}

// One output's step, composing or writing it: memory that runs short is
// named with the output and its file (what the output is: "o mapa").
template <typename Step> auto forOutput(const QString &what, const QString &path, Step step) -> decltype(step()) {
    try {
        return step();
    } catch (const std::bad_alloc &) {
        throw AppError(
            QStringLiteral("Não foi possível compor %1 \"%2\": %3").arg(what, path, SystemError::text(ENOMEM)));
    }
}

MapResult drawMap(Database &db, const CurrentResult &result, const QString &coluna,
                  const std::function<void(const QString &)> &warn) {
    MapLegend legend;
    MapDrawing::Hooks hooks;
    hooks.legendWarning = warn;
    return MapDrawing::MostraMapa(db, result, ValueColumn::mark(result, coluna), legend, true, hooks);
}

} // namespace

bool write(Database &db, const CurrentResult &result, const Options &options,
           const std::function<void(const QString &)> &warn) {
    try {
        // Every picture is composed before any file is written: a column,
        // chart choice or map the selection refuses leaves every file as it
        // was.
        std::optional<MapResult> map;
        std::optional<ChartRenderer> chart;
        if (!options.mapa.isEmpty())
            map = forOutput(QStringLiteral("o mapa"), options.mapa,
                            [&] { return drawMap(db, result, options.coluna, warn); });
        if (!options.grafico.isEmpty())
            chart = forOutput(QStringLiteral("o gráfico"), options.grafico,
                              [&] { return ChartCommand::compose(db, result, options); });

        if (map) {
            forOutput(QStringLiteral("o mapa"), options.mapa, [&] {
                if (isWorkbook(options.mapa))
                    writeWorkbook(db, result, ExportReport::kMapPage, options.mapa, map->picture);
                else
                    MapFile::save(options.mapa, *map);
            });
        }
        if (chart) {
            forOutput(QStringLiteral("o gráfico"), options.grafico, [&] {
                if (isWorkbook(options.grafico))
                    writeWorkbook(db, result, ExportReport::kChartPage, options.grafico,
                                  chart->picture(options.tamanho));
                else
                    ChartFile::save(options.grafico, *chart, options.tamanho);
            });
        }
        if (!options.workbook.isEmpty())
            forOutput(QStringLiteral("a planilha"), options.workbook,
                      [&] { writeWorkbook(db, result, ExportReport::kDataPage, options.workbook); });
        return map || chart || !options.workbook.isEmpty();
    } catch (const MapRefusal &e) {
        // A map the selection cannot have is the user's choice to mend, as
        // any other input the command refuses.
        throw BadInput(e.message());
    }
}

} // namespace ExportDrawing
