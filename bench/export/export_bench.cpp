#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// The workbook of the largest municipality listing (every column of the
// widest table, all municipalities) as a whole solvane-export process, side
// by side with the office suite turning the same table's text file into a
// workbook. The ratio of the two is the figure to watch.
namespace {

const QString kProgramDir = QStringLiteral(SOLVANE_PROGRAM_DIR);
const QStringList kListing = {QStringLiteral("--topico"), QStringLiteral("02.01.01"), QStringLiteral("--agrupar"),
                              QStringLiteral("municipio")};

bool runProcess(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

void BM_WorkbookBySolvaneExport(benchmark::State &state) {
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("listagem.xlsx"));
    for (auto _ : state) {
        if (!runProcess(kProgramDir + QStringLiteral("/solvane-export"),
                        kListing + QStringList{QStringLiteral("--planilha"), workbook})) {
            state.SkipWithError("solvane-export failed");
            return;
        }
    }
    state.counters["bytes"] = static_cast<double>(QFile(workbook).size());
}
BENCHMARK(BM_WorkbookBySolvaneExport)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_WorkbookByOfficeSuiteFromText(benchmark::State &state) {
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("listagem.csv"));
    if (!runProcess(kProgramDir + QStringLiteral("/solvane-export"),
                    kListing + QStringList{QStringLiteral("--saida"), text})) {
        state.SkipWithError("solvane-export failed");
        return;
    }
    // A private profile, made once before the timing starts.
    const QString profile = QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("perfil"));
    const QStringList convert = {profile,
                                 QStringLiteral("--headless"),
                                 QStringLiteral("--norestore"),
                                 QStringLiteral("--infilter=CSV:59,34,ANSI,1"),
                                 QStringLiteral("--convert-to"),
                                 QStringLiteral("xlsx"),
                                 QStringLiteral("--outdir"),
                                 dir.path(),
                                 text};
    runProcess(QStringLiteral("soffice"), convert);
    for (auto _ : state) {
        if (!runProcess(QStringLiteral("soffice"), convert)) {
            state.SkipWithError("the office suite failed");
            return;
        }
    }
}
BENCHMARK(BM_WorkbookByOfficeSuiteFromText)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
