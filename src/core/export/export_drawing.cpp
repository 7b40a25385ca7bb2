#include "core/export/export_drawing.h"

#include "base/data/safe_file.h"
#include "base/export/bad_input.h"
#include "base/export/text_export.h"
#include "base/table/column_mark.h"
#include "core/chart/engine/chart_file.h"
#include "core/export/chart_command.h"
#include "core/export/output_step.h"
#include "core/export/value_column.h"
#include "core/export/workbook_command.h"
#include "core/map/map_drawing.h"
#include "core/map/map_file.h"
#include "core/map/map_legend.h"
#include "core/report/table_report.h"

#include <QImage>

#include <optional>

namespace ExportDrawing {
namespace {

using ExportCommand::isWorkbook;
using ExportCommand::Options;

// The map of the column with its legend: the saved legend or the study's
// doubling classes, unless --classes asks for a computed method.
struct ColumnMap {
    MapLegend legend;
    MapResult drawn;
};

ColumnMap columnMap(Database &db, const CurrentResult &result, const Options &options,
                    const std::function<void(const QString &)> &warn) {
    ColumnMap map;
    const ColumnMark column = ValueColumn::mark(result, options.coluna);
    const ClassMethod method = options.classes.value_or(ClassMethod::Doubling);
    if (method != ClassMethod::Doubling)
        MapDrawing::computeClasses(db, result, column, method, map.legend);
    MapDrawing::Hooks hooks;
    hooks.legendWarning = warn;
    map.drawn = MapDrawing::MostraMapa(db, result, column, map.legend, method == ClassMethod::Doubling, hooks);
    return map;
}

} // namespace

bool write(Database &db, const CurrentResult &result, const Options &options,
           const std::function<void(const QString &)> &warn) {
    try {
        // Every picture is composed before any file is written: a column,
        // chart choice or map the selection refuses leaves every file as it
        // was.
        std::optional<ColumnMap> map;
        std::optional<ChartRenderer> chart;
        // The report takes the column's map and chart when a column is named.
        const bool reported = !options.relatorio.isEmpty() && !options.coluna.isEmpty();
        const QString mapFile = !options.mapa.isEmpty()             ? options.mapa
                                : !options.legendaArquivo.isEmpty() ? options.legendaArquivo
                                : reported                          ? options.relatorio
                                                                    : QString();
        if (!mapFile.isEmpty())
            map = OutputStep::run(QStringLiteral("o mapa"), mapFile,
                                  [&] { return columnMap(db, result, options, warn); });
        const QString chartFile = !options.grafico.isEmpty() ? options.grafico : reported ? options.relatorio : QString();
        if (!chartFile.isEmpty())
            chart = OutputStep::run(QStringLiteral("o gráfico"), chartFile,
                                    [&] { return ChartCommand::compose(db, result, options); });

        if (map && !options.mapa.isEmpty()) {
            OutputStep::run(QStringLiteral("o mapa"), options.mapa, [&] {
                if (isWorkbook(options.mapa))
                    WorkbookCommand::writePage(db, result, ExportReport::kMapPage, options.mapa, map->drawn.picture);
                else
                    MapFile::save(options.mapa, map->drawn);
            });
        }
        if (map && !options.legendaArquivo.isEmpty())
            SafeFile::write(options.legendaArquivo,
                            TextExport::bytes(map->legend.classLines(map->drawn.classCounts), options.separator,
                                              options.utf8));
        if (chart && !options.grafico.isEmpty()) {
            OutputStep::run(QStringLiteral("o gráfico"), options.grafico, [&] {
                if (isWorkbook(options.grafico))
                    WorkbookCommand::writePage(db, result, ExportReport::kChartPage, options.grafico,
                                               chart->picture(options.tamanho));
                else
                    ChartFile::save(options.grafico, *chart, options.tamanho);
            });
        }
        if (!options.relatorio.isEmpty()) {
            OutputStep::run(QStringLiteral("o relatório"), options.relatorio, [&] {
                TableReport::Contents contents = TableReport::contents(db, result);
                if (map)
                    contents.map = TableReport::mapPicture(map->drawn);
                if (chart)
                    contents.chart = TableReport::chartPicture(*chart, options.tamanho);
                TableReport::writePdf(options.relatorio, contents);
            });
        }
        return WorkbookCommand::writeTable(db, result, options) || map || chart || !options.relatorio.isEmpty();
    } catch (const MapRefusal &e) {
        // A map the selection cannot have is the user's choice to mend, as
        // any other input the command refuses.
        throw BadInput(e.message());
    }
}

} // namespace ExportDrawing
