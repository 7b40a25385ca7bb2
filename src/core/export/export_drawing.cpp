#include "core/export/export_drawing.h"

#include "base/data/safe_file.h"
#include "base/data/system_error.h"
#include "base/export/bad_input.h"
#include "base/export/text_export.h"
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
        const QString &mapFile = options.mapa.isEmpty() ? options.legendaArquivo : options.mapa;
        if (!mapFile.isEmpty())
            map = forOutput(QStringLiteral("o mapa"), mapFile, [&] { return columnMap(db, result, options, warn); });
        if (!options.grafico.isEmpty())
            chart = forOutput(QStringLiteral("o gráfico"), options.grafico,
                              [&] { return ChartCommand::compose(db, result, options); });

        if (map && !options.mapa.isEmpty()) {
            forOutput(QStringLiteral("o mapa"), options.mapa, [&] {
                if (isWorkbook(options.mapa))
                    writeWorkbook(db, result, ExportReport::kMapPage, options.mapa, map->drawn.picture);
                else
                    SafeFile::write(options.mapa,
                                    MapFile::encode(map->drawn.picture, *MapFile::formatOf(options.mapa)));
            });
        }
        if (map && !options.legendaArquivo.isEmpty())
            SafeFile::write(options.legendaArquivo,
                            TextExport::bytes(map->legend.classLines(map->drawn.classCounts), options.separator,
                                              options.utf8));
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
