#include "base/data/database.h"
#include "base/data/program_folder.h"
#include "base/data/query.h"
#include "base/table/column_mark.h"
#include "base/table/table_run.h"
#include "base/table/topic_notes.h"
#include "core/drawing/jpeg_writer.h"
#include "core/map/class_breaks.h"
#include "core/map/map_drawing.h"
#include "core/map/map_file.h"
#include "core/map/map_legend.h"
#include "core/map/map_vectors.h"
#include "png_side_by_side.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>

#include <cmath>
#include <optional>
#include <random>

// The map page's drawing of the largest municipality map (Minas Gerais)
// with a computed legend: bitmap, area list, titles, the maximum, the
// picture, the colour list and the colouring.
namespace {

constexpr int kMinasGerais = 31;

struct MarkedTable {
    Database db;
    TableRun tableRun{db};
    ColumnMark column;
    bool ready = false;

    MarkedTable() {
        ProgramFolder::setPath(QStringLiteral(SOLVANE_PROGRAM_DIR));
        const QString study = ProgramFolder::studyFile();
        if (!QFileInfo::exists(study))
            return;
        db.setPath(study);
        db.setConnected(true);
        SelectionState selection;
        selection.agrupar = Grouping::Municipio;
        selection.unidadeFederativa = kMinasGerais;
        tableRun.run(QStringLiteral("01.01.01"), selection);
        column.FCampoMarcado = QStringLiteral("A01");
        column.FCampoPercentual = QStringLiteral("A01");
        ready = true;
    }
};

// The table, or none when the build has no sample study (the benchmark is
// then skipped with the reason).
MarkedTable *readyTable(benchmark::State &state) {
    static MarkedTable table;
    if (table.ready)
        return &table;
    state.SkipWithError("no sample study in the build's program folder");
    return nullptr;
}

// The map the page draws for the table, with its computed legend.
std::optional<MapResult> drawnMap(benchmark::State &state) {
    MarkedTable *table = readyTable(state);
    if (!table)
        return std::nullopt;
    MapLegend legend;
    return MapDrawing::MostraMapa(table->db, table->tableRun.result(), table->column, legend, true);
}

void BM_MostraMapaComputedLegend(benchmark::State &state) {
    MarkedTable *table = readyTable(state);
    if (!table)
        return;
    MarkedTable &t = *table;
    MapLegend legend;
    for (auto _ : state)
        benchmark::DoNotOptimize(MapDrawing::MostraMapa(t.db, t.tableRun.result(), t.column, legend, true));
}
BENCHMARK(BM_MostraMapaComputedLegend)->Unit(benchmark::kMillisecond);

// The one statement of the drawing that reads the study: the maximum.
void BM_MaximumStatement(benchmark::State &state) {
    MarkedTable *table = readyTable(state);
    if (!table)
        return;
    MarkedTable &t = *table;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            MapLegend::maximum(t.db, t.tableRun.result().qValorNivel().sql(), t.column.FCampoMarcado, Grouping::Municipio));
}
BENCHMARK(BM_MaximumStatement)->Unit(benchmark::kMillisecond);

void BM_JpegOfTheMapPicture(benchmark::State &state) {
    const std::optional<MapResult> map = drawnMap(state);
    if (!map)
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(JpegWriter::encode(map->picture));
}
BENCHMARK(BM_JpegOfTheMapPicture)->Unit(benchmark::kMillisecond);

// The PNG file of the map picture against ImageMagick writing the same picture.
void BM_PngOfTheMapPicture(benchmark::State &state) {
    if (const std::optional<MapResult> map = drawnMap(state))
        pngSideBySide(state, map->picture);
}
BENCHMARK(BM_PngOfTheMapPicture)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);

// The classes of the computed methods on the same map: the whole step the
// page runs (area list, figures matched to areas, the method), and Fisher's
// optimum alone over the map's figures and over as many figures as Brazil
// has municipalities.
void BM_ComputeClasses(benchmark::State &state) {
    MarkedTable *table = readyTable(state);
    if (!table)
        return;
    MarkedTable &t = *table;
    const auto method = static_cast<ClassMethod>(state.range(0));
    MapLegend legend;
    for (auto _ : state)
        MapDrawing::computeClasses(t.db, t.tableRun.result(), t.column, method, legend);
    state.SetLabel(ClassBreaks::menuName(method).toStdString());
}
BENCHMARK(BM_ComputeClasses)
    ->Arg(int(ClassMethod::EqualIntervals))
    ->Arg(int(ClassMethod::Quantiles))
    ->Arg(int(ClassMethod::NaturalBreaks))
    ->Unit(benchmark::kMillisecond);

void BM_NaturalBreaks(benchmark::State &state) {
    std::mt19937 random(2000);
    std::lognormal_distribution<double> sizes(8, 1.5);
    std::vector<double> figures;
    for (int64_t i = 0; i < state.range(0); ++i)
        figures.push_back(std::round(sizes(random)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ClassBreaks::naturalBreaks(figures));
    state.SetLabel(std::to_string(state.range(0)) + " figures");
}
BENCHMARK(BM_NaturalBreaks)->Arg(854)->Arg(5570)->Unit(benchmark::kMillisecond);

// Every area's outline traced and the vector map laid out, then written.
void BM_VectorMapTraced(benchmark::State &state) {
    const std::optional<MapResult> map = drawnMap(state);
    if (!map)
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(MapVectors(*map).areas().size());
}
BENCHMARK(BM_VectorMapTraced)->Unit(benchmark::kMillisecond);

void BM_SvgOfTheMap(benchmark::State &state) {
    const std::optional<MapResult> map = drawnMap(state);
    if (!map)
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(MapFile::encode(*map, MapFile::Format::Svg));
}
BENCHMARK(BM_SvgOfTheMap)->Unit(benchmark::kMillisecond);

} // namespace
