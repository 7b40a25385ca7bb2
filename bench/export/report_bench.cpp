#include "base/data/database.h"
#include "base/data/program_folder.h"
#include "base/table/topic_search.h"
#include "process_cost.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// The printed report as a whole process of solvane-export: Minas Gerais by
// municipality with the column's map and chart, and the national table of
// municipalities alone; beside it, pdftotext reading the same file back, a
// floor of what a PDF of those pages costs to go through. And the search
// line's work for one key: the catalogue searched for the typed words.
namespace {

const QString kExporter = QStringLiteral(SOLVANE_PROGRAM_DIR "/solvane-export");

void report(benchmark::State &state, const QStringList &selection) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("relatorio.pdf"));
    double cpu = 0, floor = 0;
    for (auto _ : state) {
        const ProcessCost written = runProcess(kExporter, selection + QStringList{"--relatorio", pdf});
        const ProcessCost read = runProcess(QStringLiteral("pdftotext"), {pdf, dir.filePath(QStringLiteral("r.txt"))});
        if (!written.ok || !read.ok) {
            state.SkipWithError("solvane-export or pdftotext failed");
            return;
        }
        state.SetIterationTime(written.wallSeconds);
        cpu += written.cpuSeconds;
        floor += read.cpuSeconds;
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu * 1000 / double(state.iterations()));
    state.counters["pdftotext_cpu_ms"] = benchmark::Counter(floor * 1000 / double(state.iterations()));
}

void BM_ReportOfMinasGeraisWithMapAndChart(benchmark::State &state) {
    report(state, {"--topico", "01.01.01", "--agrupar", "municipio", "--uf", "31", "--coluna", "A01"});
}
BENCHMARK(BM_ReportOfMinasGeraisWithMapAndChart)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ReportOfTheNationalMunicipalityTable(benchmark::State &state) {
    report(state, {"--topico", "01.01.01", "--agrupar", "municipio"});
}
BENCHMARK(BM_ReportOfTheNationalMunicipalityTable)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_TopicSearchKey(benchmark::State &state) {
    ProgramFolder::setPath(QStringLiteral(SOLVANE_PROGRAM_DIR));
    Database db;
    db.setPath(ProgramFolder::studyFile());
    db.setConnected(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(TopicSearch::find(db, QStringLiteral("deficit rustico")));
}
BENCHMARK(BM_TopicSearchKey)->Unit(benchmark::kMicrosecond);

} // namespace
