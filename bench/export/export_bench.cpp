#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

// The workbook of the largest municipality listing (every column of the
// widest table, all municipalities) as a whole solvane-export process, side
// by side with the office suite turning the same table's text file into a
// workbook. The machine is shared, so besides the wall time each run
// reports the processor time (user + system) its process took; the ratio of
// the two programs is the figure to watch.
namespace {

const QString kProgramDir = QStringLiteral(SOLVANE_PROGRAM_DIR);
const QStringList kListing = {QStringLiteral("--topico"), QStringLiteral("02.01.01"), QStringLiteral("--agrupar"),
                              QStringLiteral("municipio")};

struct Cost {
    double wallMs = 0;
    double cpuMs = 0;
};

double childCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Runs the program to its end; nothing when it failed.
std::optional<Cost> measure(const QString &program, const QStringList &arguments) {
    const double cpuBefore = childCpuMs();
    QElapsedTimer clock;
    clock.start();
    QProcess process;
    process.start(program, arguments);
    const bool ok = process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0;
    const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    if (!ok)
        return std::nullopt;
    return Cost{wall, childCpuMs() - cpuBefore};
}

QStringList workbookArguments(const QString &workbook) {
    return kListing + QStringList{QStringLiteral("--planilha"), workbook};
}

void BM_WorkbookBySolvaneExport(benchmark::State &state) {
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("listagem.xlsx"));
    Cost total;
    for (auto _ : state) {
        const std::optional<Cost> cost =
            measure(kProgramDir + QStringLiteral("/solvane-export"), workbookArguments(workbook));
        if (!cost) {
            state.SkipWithError("solvane-export failed");
            return;
        }
        total.wallMs += cost->wallMs;
        total.cpuMs += cost->cpuMs;
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["wall_ms"] = total.wallMs / n;
    state.counters["cpu_ms"] = total.cpuMs / n;
    state.counters["bytes"] = static_cast<double>(QFile(workbook).size());
}
BENCHMARK(BM_WorkbookBySolvaneExport)->Unit(benchmark::kMillisecond)->Iterations(20);

// Each iteration runs solvane-export and then the office suite on the same
// table, so both see the same load on the machine.
void BM_SideBySideWithTheOfficeSuite(benchmark::State &state) {
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("listagem.xlsx"));
    const QString text = dir.filePath(QStringLiteral("listagem.csv"));
    if (!measure(kProgramDir + QStringLiteral("/solvane-export"), kListing + QStringList{QStringLiteral("--saida"), text})) {
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
                                 dir.filePath(QStringLiteral("suite")),
                                 text};
    measure(QStringLiteral("soffice"), convert);
    Cost ours, suite;
    for (auto _ : state) {
        const std::optional<Cost> a =
            measure(kProgramDir + QStringLiteral("/solvane-export"), workbookArguments(workbook));
        const std::optional<Cost> b = measure(QStringLiteral("soffice"), convert);
        if (!a || !b) {
            state.SkipWithError(a ? "the office suite failed" : "solvane-export failed");
            return;
        }
        ours.wallMs += a->wallMs;
        ours.cpuMs += a->cpuMs;
        suite.wallMs += b->wallMs;
        suite.cpuMs += b->cpuMs;
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["ours_wall_ms"] = ours.wallMs / n;
    state.counters["ours_cpu_ms"] = ours.cpuMs / n;
    state.counters["suite_wall_ms"] = suite.wallMs / n;
    state.counters["suite_cpu_ms"] = suite.cpuMs / n;
    state.counters["wall_ratio"] = suite.wallMs / ours.wallMs;
    state.counters["cpu_ratio"] = suite.cpuMs / ours.cpuMs;
}
BENCHMARK(BM_SideBySideWithTheOfficeSuite)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
