#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// solvane-export drawing the largest municipality map (Minas Gerais) into a
// PNG file, timed as a whole process: start-up, the query, the drawing and
// the file.
namespace {

void BM_SolvaneExportMapaAsAProcess(benchmark::State &state) {
    QTemporaryDir dir;
    const QStringList arguments = {QStringLiteral("--topico"), QStringLiteral("01.01.01"),
                                   QStringLiteral("--agrupar"), QStringLiteral("municipio"),
                                   QStringLiteral("--uf"),      QStringLiteral("31"),
                                   QStringLiteral("--coluna"),  QStringLiteral("A01"),
                                   QStringLiteral("--mapa"),    dir.filePath(QStringLiteral("mapa.png"))};
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(SOLVANE_PROGRAM_DIR "/solvane-export"), arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            state.SkipWithError("solvane-export failed");
            return;
        }
    }
}
BENCHMARK(BM_SolvaneExportMapaAsAProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
