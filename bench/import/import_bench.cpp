#include "process_cost.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>


// The import of the whole sample study as solvane-import does it (a whole
// process, its reading child included), side by side with mdbtools' own
// mdb-export writing every table as CSV, the floor of what reading the file
// costs. Then the topics the program opens most, read from the imported
// study (which has no index) and from the sample study (whose tables keep
// their keys): an index pays only where the first is slower. CPU time (user + system) is the figure to compare on
// a shared machine; peak memory shows that the rows are streamed.
namespace {

const QString kProgramDir = QStringLiteral(SOLVANE_PROGRAM_DIR);

struct Sample {
    QTemporaryDir dir;
    QString jet = dir.filePath(QStringLiteral("Solvane.mdb"));
    QStringList tables;
    Sample() {
        QProcess::execute(QStringLiteral(JET_WRITER), {kProgramDir + QStringLiteral("/Dados/Solvane.db"), jet});
        QProcess list;
        list.start(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), jet});
        list.waitForFinished();
        tables = QString::fromUtf8(list.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};

Sample &sample() {
    static Sample s;
    return s;
}

// The cost of every process of a benchmark's runs, reported per run.
struct Totals {
    double cpu = 0, wall = 0, peakKB = 0;

    // Adds one process; false (the benchmark skipped) when it failed.
    bool add(benchmark::State &state, const ProcessCost &cost, const char *program) {
        if (!cost.ok) {
            state.SkipWithError(program);
            return false;
        }
        cpu += cost.cpuSeconds;
        wall += cost.wallSeconds;
        peakKB = std::max(peakKB, cost.peakKB);
        return true;
    }

    void report(benchmark::State &state) const {
        const double runs = double(state.iterations());
        state.counters["cpu_ms"] = cpu * 1000 / runs;
        state.counters["wall_ms"] = wall * 1000 / runs;
        state.counters["peak_MB"] = peakKB / 1024;
    }
};

void BM_ImportBySolvaneImport(benchmark::State &state) {
    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("Solvane.db"));
    Totals totals;
    for (auto _ : state) {
        QFile::remove(target);
        if (!totals.add(state,
                        runProcess(kProgramDir + QStringLiteral("/solvane-import"),
                                   {sample().jet, QStringLiteral("--saida"), target}),
                        "solvane-import failed"))
            return;
    }
    totals.report(state);
}
BENCHMARK(BM_ImportBySolvaneImport)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_EveryTableByMdbExport(benchmark::State &state) {
    Totals totals;
    for (auto _ : state)
        for (const QString &table : sample().tables)
            if (!totals.add(state, runProcess(QStringLiteral("mdb-export"), {sample().jet, table}), "mdb-export failed"))
                return;
    totals.report(state);
}
BENCHMARK(BM_EveryTableByMdbExport)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// Opening topics: Arg(0) from the sample study, Arg(1) from a study folder
// holding its import.
void BM_TopicsFromImportedStudy(benchmark::State &state) {
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("Dados"));
    runProcess(kProgramDir + QStringLiteral("/solvane-import"),
               {sample().jet, QStringLiteral("--saida"), folder.filePath(QStringLiteral("Dados/Solvane.db"))});
    const QString studyFolder = state.range(0) == 0 ? kProgramDir : folder.path();
    const QStringList runs[] = {
        {QStringLiteral("--topico=01.01.01"), QStringLiteral("--agrupar=uf")},
        {QStringLiteral("--topico=02.01.01"), QStringLiteral("--agrupar=municipio")},
        {QStringLiteral("--topico=03"), QStringLiteral("--uf=35")},
        {QStringLiteral("--topico=01.02.01"), QStringLiteral("--municipio=2611606")},
    };
    Totals totals;
    for (auto _ : state)
        for (const QStringList &arguments : runs)
            if (!totals.add(state,
                            runProcess(kProgramDir + QStringLiteral("/solvane-export"),
                                       QStringList{QStringLiteral("--estudo=") + studyFolder} + arguments),
                            "solvane-export failed"))
                return;
    totals.report(state);
}
BENCHMARK(BM_TopicsFromImportedStudy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace
