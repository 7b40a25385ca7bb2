#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// solvane-export drawing the largest municipality map (Minas Gerais) into a
// file, timed as a whole process: start-up, the query, the drawing and the
// file. As a PNG, and as an SVG, which adds tracing every area's outline and
// writing the vector map.
namespace {

void exportMapa(benchmark::State &state, const char *file) {
    QTemporaryDir dir;
    const QStringList arguments = {QStringLiteral("--topico"), QStringLiteral("01.01.01"),
                                   QStringLiteral("--agrupar"), QStringLiteral("municipio"),
                                   QStringLiteral("--uf"),      QStringLiteral("31"),
                                   QStringLiteral("--coluna"),  QStringLiteral("A01"),
                                   QStringLiteral("--mapa"),    dir.filePath(QLatin1String(file))};
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(SOLVANE_PROGRAM_DIR "/solvane-export"), arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            state.SkipWithError("solvane-export failed");
            return;
        }
    }
}

void BM_SolvaneExportMapaAsAProcess(benchmark::State &state) { exportMapa(state, "mapa.png"); }
BENCHMARK(BM_SolvaneExportMapaAsAProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SolvaneExportMapaSvgAsAProcess(benchmark::State &state) { exportMapa(state, "mapa.svg"); }
BENCHMARK(BM_SolvaneExportMapaSvgAsAProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
