#include "base/data/program_folder.h"
#include "core/map/area_coloring.h"
#include "core/map/area_hover.h"
#include "core/map/area_list.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

// The municipality map of the state with the most municipalities, Minas
// Gerais: the most areas, and the longest area list, of the sample study.
struct LargestMap {
    QImage picture;
    QStringList lines;
};

const LargestMap &largestMap() {
    static const LargestMap map = [] {
        ProgramFolder::setPath(QStringLiteral(SOLVANE_PROGRAM_DIR));
        const QString base = ProgramFolder::file(QStringLiteral("Mapas/Municipio/MGMun"));
        if (!QFileInfo::exists(base + QStringLiteral(".Bmp")) || !QFileInfo::exists(base + QStringLiteral(".Txt")))
            return LargestMap{};
        return LargestMap{QImage(base + QStringLiteral(".Bmp")).convertToFormat(QImage::Format_RGB32),
                          AreaList::readFile(base + QStringLiteral(".Txt"))};
    }();
    return map;
}

bool skipWithoutMap(benchmark::State &state) {
    if (!largestMap().picture.isNull())
        return false;
    state.SkipWithError("no sample study maps in the build's program folder");
    return true;
}

// The eight colours of the legend classes.
constexpr int kClassColors[] = {10420224, 16744448, 16770764, 182, 255, 33023, 64507, 2883371};

// A colour list naming every area, each with a class colour; shift moves
// every area to the next class.
QStringList colorList(const QStringList &areas, int shift) {
    QStringList colors;
    for (int i = 0; i < areas.size(); ++i)
        colors << AreaList::nameOf(areas[i]) + QLatin1Char('=') + QString::number(kClassColors[(i + shift) % 8]);
    return colors;
}

} // namespace

// Colouring as the map view does it: a fresh colour list for every area,
// then every area flood-filled. The lists alternate, so each pass repaints
// every area with another colour.
static void ColourEveryAreaOfTheLargestMap(benchmark::State &state) {
    if (skipWithoutMap(state))
        return;
    QImage picture = largestMap().picture;
    const AreaList areas(largestMap().lines);
    const QStringList lists[2] = {colorList(areas.lines(), 0), colorList(areas.lines(), 1)};
    std::size_t pass = 0;
    for (auto _ : state) {
        const AreaList colors(lists[pass++ % 2]);
        colorAreas(picture, areas, colors, 0);
        benchmark::DoNotOptimize(picture.constBits());
    }
    state.counters["areas"] = double(areas.lines().size());
}
BENCHMARK(ColourEveryAreaOfTheLargestMap)->Unit(benchmark::kMillisecond);

// One hover over the area list, at pixels spread over the whole picture
// (areas, borders, lettering and the background around the state).
static void HoverOverTheLargestMap(benchmark::State &state) {
    if (skipWithoutMap(state))
        return;
    const QImage &picture = largestMap().picture;
    const AreaList areas(largestMap().lines);
    QRandomGenerator random(853);
    QList<QPoint> pointers(4096);
    for (QPoint &p : pointers)
        p = QPoint(random.bounded(picture.width()), random.bounded(picture.height()));
    benchmark::DoNotOptimize(areaNameAt(picture, pointers[0], areas, 0)); // the first hover builds the index
    int named = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        const QString name = areaNameAt(picture, pointers[i++ % pointers.size()], areas, 0);
        named += !name.isEmpty();
        benchmark::DoNotOptimize(name);
    }
    state.counters["named"] = benchmark::Counter(named, benchmark::Counter::kAvgIterations);
}
BENCHMARK(HoverOverTheLargestMap)->Unit(benchmark::kMicrosecond);

// The first hover after a map is loaded, which indexes the area list's points.
static void FirstHoverAfterLoadingTheLargestMap(benchmark::State &state) {
    if (skipWithoutMap(state))
        return;
    const QImage &picture = largestMap().picture;
    const QPoint centre(picture.width() / 2, picture.height() / 2);
    for (auto _ : state) {
        const AreaList areas(largestMap().lines);
        benchmark::DoNotOptimize(areaNameAt(picture, centre, areas, 0));
    }
}
BENCHMARK(FirstHoverAfterLoadingTheLargestMap)->Unit(benchmark::kMillisecond);
