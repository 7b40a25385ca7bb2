#include "process_cost.h"
#include "scaled_study.h"

#include "base/data/access_dialect.h"
#include "base/data/database.h"
#include "base/data/portuguese_collation.h"
#include "base/data/program_folder.h"
#include "base/data/query.h"
#include "base/table/table_run.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

// The program at one, ten and a hundred times the sample study's size, as
// whole processes: solvane-export writing the largest table grouped by
// municipality, side by side with the sqlite3 shell returning the same rows
// of the same statement (CPU time, best of the repetitions, and peak
// memory); the window showing that table; the map picture, the chart and
// the workbook of it; the workbook of the table beside its floor, a plain C
// program writing the same cells, formats and logo with the workbook library.
namespace {

const QString kProgramDir = QStringLiteral(SOLVANE_PROGRAM_DIR);
const QStringList kListing = {QStringLiteral("--topico"), QLatin1String(ScaledStudy::kTopic),
                              QStringLiteral("--agrupar"), QStringLiteral("municipio")};

// Each scaled study is built once per run of the program.
const ScaledStudy &study(int factor) {
    static std::map<int, std::unique_ptr<ScaledStudy>> studies;
    std::unique_ptr<ScaledStudy> &s = studies[factor];
    if (!s)
        s = std::make_unique<ScaledStudy>(factor);
    return *s;
}

// The statement the program runs for that table, as the shell takes it: the
// shell lacks the program's collation, so its ORDER BY compares without
// letter case, the nearest collation the engine has.
const QByteArray &shellStatement() {
    static const QByteArray statement = [] {
        ProgramFolder::setPath(kProgramDir);
        Database db;
        db.setPath(ProgramFolder::studyFile());
        db.setConnected(true);
        TableRun run(db);
        SelectionState selection;
        selection.agrupar = Grouping::Municipio;
        run.run(QLatin1String(ScaledStudy::kTopic), selection);
        QString sql = AccessDialect::toSqlite(run.result().qValorNivel().statement());
        sql.replace(QStringLiteral("COLLATE ") + QLatin1String(PortugueseCollation::kName),
                    QStringLiteral("COLLATE NOCASE"));
        return sql.toUtf8();
    }();
    return statement;
}

int lineCount(const QByteArray &text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

struct Best {
    double cpu = 1e300;
    double peakKB = 0;
    void add(const ProcessCost &c) {
        cpu = std::min(cpu, c.cpuSeconds);
        peakKB = std::max(peakKB, c.peakKB);
    }
};

// The least CPU time of a few runs of a process that starts and ends doing
// next to nothing: what start-up alone costs (libraries loaded, their
// relocations and static initialisation, the application object).
double startupSeconds(const QString &program, const QStringList &arguments) {
    double best = 1e300;
    for (int run = 0; run < 10; ++run) {
        const ProcessCost c = runProcess(program, arguments);
        if (c.ok)
            best = std::min(best, c.cpuSeconds);
    }
    return best;
}

// solvane-export's peak memory and rows on the sample itself, the base of
// the memory taken per added result row.
const ProcessCost &sampleRun() {
    static const ProcessCost cost = runProcess(study(1).exporter(), kListing, true);
    return cost;
}

void TextSideBySide(benchmark::State &state) {
    const ScaledStudy &s = study(static_cast<int>(state.range(0)));
    if (!s.isValid()) {
        state.SkipWithError(s.error().toUtf8().constData());
        return;
    }
    const QStringList shell = {QStringLiteral("-readonly"), QStringLiteral("-batch"), QStringLiteral("-separator"),
                               QStringLiteral(";"), s.database(), QString::fromUtf8(shellStatement())};
    // One untimed run of each counts the rows (and warms the file cache).
    const ProcessCost first = runProcess(s.exporter(), kListing, true);
    const ProcessCost firstShell = runProcess(QStringLiteral("sqlite3"), shell, true);
    if (!first.ok || !firstShell.ok) {
        state.SkipWithError("solvane-export or the sqlite3 shell failed");
        return;
    }
    const int rows = lineCount(first.output) - 1; // less the title line
    Best ours, engine;
    for (auto _ : state) {
        const ProcessCost o = runProcess(s.exporter(), kListing);
        const ProcessCost e = runProcess(QStringLiteral("sqlite3"), shell);
        ours.add(o);
        engine.add(e);
        state.SetIterationTime(o.cpuSeconds);
    }
    state.counters["rows"] = rows;
    state.counters["shell_rows"] = lineCount(firstShell.output);
    state.counters["ours_cpu_ms"] = ours.cpu * 1e3;
    state.counters["sqlite3_cpu_ms"] = engine.cpu * 1e3;
    state.counters["ratio"] = ours.cpu / engine.cpu;
    state.counters["ours_MB"] = ours.peakKB / 1024;
    state.counters["sqlite3_MB"] = engine.peakKB / 1024;
    state.counters["us_per_row"] = ours.cpu * 1e6 / rows;
    // The share of start-up: solvane-export printing its help, the shell
    // answering "select 1" on the same study.
    state.counters["ours_startup_ms"] = startupSeconds(s.exporter(), {QStringLiteral("--help")}) * 1e3;
    state.counters["sqlite3_startup_ms"] =
        startupSeconds(QStringLiteral("sqlite3"), {QStringLiteral("-readonly"), QStringLiteral("-batch"), s.database(),
                                                   QStringLiteral("select 1")}) *
        1e3;
    const int sampleRows = lineCount(sampleRun().output) - 1;
    if (rows > sampleRows)
        state.counters["KB_per_added_row"] = (ours.peakKB - sampleRun().peakKB) / (rows - sampleRows);
    // Between two scaled studies the fixed costs that fill up on the way
    // (the engine's page cache, the libraries' first allocations) are the
    // same on both sides, so the slope is the memory a row really takes.
    static std::map<int, std::pair<int, double>> earlier; // factor: rows, peak KB
    earlier[static_cast<int>(state.range(0))] = {rows, ours.peakKB};
    if (state.range(0) == 100 && earlier.count(10))
        state.counters["KB_per_row_x10_to_x100"] =
            (ours.peakKB - earlier[10].second) / (rows - earlier[10].first);
}
BENCHMARK(TextSideBySide)->Arg(1)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(TextSideBySide)->Arg(10)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(TextSideBySide)->Arg(100)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// solvane-export writing the workbook of the table grouped by municipality
// (with the program it hands the workbook over to), side by side with
// workbook_floor writing the same cells from the table's text, written once
// before the timing: CPU time, best of the repetitions. At one and seven
// times the sample (809 and 5 651 rows).
void WorkbookBesideTheFloor(benchmark::State &state) {
    const ScaledStudy &s = study(static_cast<int>(state.range(0)));
    if (!s.isValid()) {
        state.SkipWithError(s.error().toUtf8().constData());
        return;
    }
    const QString text = QDir(s.folder()).filePath(QStringLiteral("tabela.txt"));
    const QString ours = QDir(s.folder()).filePath(QStringLiteral("tabela.xlsx"));
    const QString floorBook = QDir(s.folder()).filePath(QStringLiteral("piso.xlsx"));
    if (!runProcess(s.exporter(), kListing + QStringList{QStringLiteral("--utf8"), QStringLiteral("--saida"), text}).ok) {
        state.SkipWithError("solvane-export failed");
        return;
    }
    const QString floorProgram = QDir(kProgramDir).filePath(QStringLiteral("../bench/workbook_floor"));
    const QStringList floorArguments = {text, QDir(s.folder()).filePath(QStringLiteral("Imagens/cabecalho.png")),
                                        floorBook};
    const QStringList arguments = kListing + QStringList{QStringLiteral("--planilha"), ours};
    Best mine, floor;
    for (auto _ : state) {
        const ProcessCost o = runProcess(s.exporter(), arguments);
        const ProcessCost f = runProcess(floorProgram, floorArguments);
        if (!o.ok || !f.ok) {
            state.SkipWithError(o.ok ? "workbook_floor failed" : "solvane-export failed");
            return;
        }
        mine.add(o);
        floor.add(f);
        state.SetIterationTime(o.cpuSeconds);
    }
    QFile table(text);
    state.counters["rows"] = table.open(QIODevice::ReadOnly) ? lineCount(table.readAll()) - 1 : 0;
    state.counters["ours_cpu_ms"] = mine.cpu * 1e3;
    state.counters["floor_cpu_ms"] = floor.cpu * 1e3;
    state.counters["ratio"] = mine.cpu / floor.cpu;
    state.counters["ours_MB"] = mine.peakKB / 1024;
    state.counters["floor_MB"] = floor.peakKB / 1024;
    // The start-up of both processes of ours (the exporter, and the helper it
    // hands the workbook to), each printing its help.
    state.counters["exporter_startup_ms"] = startupSeconds(s.exporter(), {QStringLiteral("--help")}) * 1e3;
    state.counters["helper_startup_ms"] =
        startupSeconds(QDir(s.folder()).filePath(QStringLiteral("solvane-export-planilha")), {QStringLiteral("--help")}) *
        1e3;
}
BENCHMARK(WorkbookBesideTheFloor)->Arg(1)->Arg(7)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

// The main window running the table grouped by municipality, to its first
// painted screen, measured by the probe program in its own process.
void WindowShowingTable(benchmark::State &state) {
    const ScaledStudy &s = study(static_cast<int>(state.range(0)));
    const QString probe = QDir(kProgramDir).filePath(QStringLiteral("../bench/window_probe"));
    double best = 1e300, bestCpu = 1e300, peak = 0;
    for (auto _ : state) {
        const ProcessCost c = runProcess(probe, {s.folder(), QLatin1String(ScaledStudy::kTopic)}, true);
        const QList<QByteArray> figures = c.output.trimmed().split(' ');
        if (!c.ok || figures.size() != 3) {
            state.SkipWithError("the window probe failed");
            return;
        }
        best = std::min(best, figures[0].toDouble());
        bestCpu = std::min(bestCpu, figures[1].toDouble());
        peak = std::max(peak, c.peakKB);
        state.counters["rows"] = figures[2].toDouble();
        state.SetIterationTime(figures[0].toDouble() / 1e3);
    }
    state.counters["to_painted_ms"] = best;
    state.counters["to_painted_cpu_ms"] = bestCpu;
    state.counters["process_MB"] = peak / 1024;
}
BENCHMARK(WindowShowingTable)->Arg(1)->Arg(100)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// The map picture, the chart and the workbook of one figure column of the
// table a hundred times larger, each a whole solvane-export process. The
// map of municipalities is drawn for one state, as the program requires;
// the copied municipalities have no area on it.
void PictureAndWorkbook(benchmark::State &state, const char *option, const char *file) {
    const ScaledStudy &s = study(100);
    const QString output = QDir(s.folder()).filePath(QLatin1String(file));
    QStringList arguments =
        kListing + QStringList{QStringLiteral("--coluna"), QStringLiteral("A01"), QLatin1String(option), output};
    if (QLatin1String(option) == QLatin1String("--mapa"))
        arguments << QStringLiteral("--uf") << QStringLiteral("26");
    Best best;
    double wall = 1e300;
    for (auto _ : state) {
        const ProcessCost c = runProcess(s.exporter(), arguments);
        if (!c.ok) {
            state.SkipWithError("solvane-export failed");
            return;
        }
        best.add(c);
        wall = std::min(wall, c.wallSeconds);
        state.SetIterationTime(c.cpuSeconds);
    }
    state.counters["cpu_s"] = best.cpu;
    state.counters["wall_s"] = wall;
    state.counters["MB"] = best.peakKB / 1024;
}
BENCHMARK_CAPTURE(PictureAndWorkbook, map_x100, "--mapa", "mapa.png")
    ->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PictureAndWorkbook, chart_x100, "--grafico", "grafico.png")
    ->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PictureAndWorkbook, workbook_x100, "--planilha", "tabela.xlsx")
    ->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
