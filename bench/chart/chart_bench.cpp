#include "core/chart/engine/chart_file.h"
#include "core/chart/engine/chart_renderer.h"
#include "png_side_by_side.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

// The longest municipality listing of the sample study: every municipality
// row of Minas Gerais in the first housing table, by name, with its first
// figure, as the chart page gets it from the result table.
std::vector<ChartPoint> minasGerais() {
    std::vector<ChartPoint> points;
    const QByteArray path = QStringLiteral(SOLVANE_PROGRAM_DIR "/Dados/Solvane.db").toUtf8();
    if (!QFileInfo::exists(QString::fromUtf8(path)))
        return points;
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "select coalesce(m.Descricao, 'Demais municípios'), t.A01 from \"020101\" t"
                       " left join Municipio m on m.Municipio = t.Municipio"
                       " where t.Tipo_Registro = 1 and t.Unidade_Federativa = 31 order by 1",
                       -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        points.push_back({QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))),
                          sqlite3_column_double(stmt, 1)});
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return points;
}

const std::vector<ChartPoint> &listing() {
    static const std::vector<ChartPoint> points = minasGerais();
    return points;
}

ChartSettings settingsFor(SeriesKind kind, bool view3D) {
    ChartSettings settings;
    settings.kind = kind;
    settings.points = listing();
    settings.view3D = view3D;
    settings.valueFormat = QStringLiteral("###,##0");
    settings.titleLines = QStringList{QStringLiteral("Déficit habitacional básico"),
                                      QStringLiteral("Total - Minas Gerais")};
    settings.leftAxisLabels = kind != SeriesKind::HorizontalBars;
    settings.bottomAxisLabels = kind == SeriesKind::HorizontalBars;
    return settings;
}

const QSize kSize(900, 600);

} // namespace

// One whole drawing of the chart at the window's default size, onto the kind
// of picture a window paints into; arguments: series kind, 3D view.
static void DrawLargestListing(benchmark::State &state) {
    if (listing().empty()) {
        state.SkipWithError("no sample study in the build's program folder");
        return;
    }
    const ChartRenderer chart(settingsFor(SeriesKind(state.range(0)), state.range(1) != 0));
    QImage canvas(kSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&canvas);
        chart.draw(painter, QRect(QPoint(), kSize));
    }
    state.counters["points"] = double(listing().size());
}
BENCHMARK(DrawLargestListing)
    ->ArgNames({"kind", "3d"})
    ->Args({0, 1})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Args({3, 1})
    ->Args({4, 1})
    ->Args({4, 0})
    ->Unit(benchmark::kMillisecond);

// The same chart composed as each kind of file, in memory.
static void ComposeLargestListing(benchmark::State &state) {
    if (listing().empty()) {
        state.SkipWithError("no sample study in the build's program folder");
        return;
    }
    const ChartRenderer chart(settingsFor(SeriesKind::VerticalBars, true));
    const auto format = ChartFile::Format(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ChartFile::compose(chart, kSize, format));
}
BENCHMARK(ComposeLargestListing)->ArgName("format")->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The PNG file of that chart against ImageMagick writing the same picture.
static void PngOfTheLargestListing(benchmark::State &state) {
    if (listing().empty()) {
        state.SkipWithError("no sample study in the build's program folder");
        return;
    }
    pngSideBySide(state, ChartRenderer(settingsFor(SeriesKind::VerticalBars, true)).picture(kSize));
}
BENCHMARK(PngOfTheLargestListing)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
