#include "base/data/access_dialect.h"
#include "base/data/database.h"
#include "base/data/program_folder.h"
#include "base/data/query.h"
#include "base/export/text_export.h"
#include "base/table/query_builder.h"
#include "base/table/result_table.h"
#include "base/table/table_run.h"
#include "ui/table/data_grid.h"
#include "ui/table/result_table_model.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

// The largest table of the study (the most figure columns), grouped by
// municipality, without filters: the run the data page makes when a user
// picks it with "Município" chosen.
namespace {

const QString kTopic = QStringLiteral("02.01.01");

constexpr int kTodas = 0;
constexpr int kPernambuco = 26;

// The study of the build's program folder, connected once.
struct Study {
    Study() {
        ProgramFolder::setPath(QStringLiteral(SOLVANE_PROGRAM_DIR));
        db.setPath(ProgramFolder::studyFile());
        if (QFileInfo::exists(db.path()))
            db.setConnected(true);
    }
    bool run(int uf = 0) {
        SelectionState selection;
        selection.agrupar = Grouping::Municipio;
        selection.unidadeFederativa = uf;
        return tableRun.run(kTopic, selection);
    }
    ResultTable &cdsDados() { return tableRun.cdsDados(); }

    Database db;
    TableRun tableRun{db};
};

Study &study() {
    static Study s;
    return s;
}

bool ready(benchmark::State &state) {
    if (study().db.isConnected())
        return true;
    state.SkipWithError("no study in the build's program folder");
    return false;
}

// The engine alone: the same statement prepared, every row stepped and every
// column read in its own type.
void BareEngine(benchmark::State &state) {
    if (!ready(state))
        return;
    study().run();
    const QByteArray sql = AccessDialect::toSqlite(study().tableRun.result().qValorNivel().statement()).toUtf8();
    sqlite3 *db = study().db.handle();
    qint64 rows = 0;
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
        const int columns = sqlite3_column_count(stmt);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_INTEGER:
                    benchmark::DoNotOptimize(sqlite3_column_int64(stmt, c));
                    break;
                case SQLITE_FLOAT:
                    benchmark::DoNotOptimize(sqlite3_column_double(stmt, c));
                    break;
                case SQLITE_TEXT:
                    benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
                    break;
                default:
                    break;
                }
            }
            ++rows;
        }
        sqlite3_finalize(stmt);
    }
    state.counters["rows"] = benchmark::Counter(static_cast<double>(rows) / state.iterations());
}
BENCHMARK(BareEngine)->Unit(benchmark::kMillisecond);

// The whole run: catalogue, statement, result table with labels and rows,
// notes.
void FullRun(benchmark::State &state) {
    if (!ready(state))
        return;
    for (auto _ : state)
        study().run();
    state.counters["rows"] = study().cdsDados().recordCount();
}
BENCHMARK(FullRun)->Unit(benchmark::kMillisecond);

// The grid over a result painting its first screen, model and header
// included: the municipalities of one state (a screenful of rows) and of the
// whole country (hundreds), which should cost the same.
void GridFirstScreen(benchmark::State &state) {
    if (!ready(state))
        return;
    study().run(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ResultTableModel model(study().cdsDados());
        DataGrid grid(true, study().tableRun.result());
        grid.setTableModel(&model);
        grid.resize(1024, 600);
        grid.show();
        grid.repaint();
        benchmark::DoNotOptimize(grid.grab());
    }
    state.counters["rows"] = study().cdsDados().recordCount();
}
BENCHMARK(GridFirstScreen)->Arg(kPernambuco)->Arg(kTodas)->Unit(benchmark::kMillisecond);

// The delimited text of that result, in Windows-1252.
void TextFile(benchmark::State &state) {
    if (!ready(state))
        return;
    study().run();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            TextExport::bytes(study().tableRun.result(), QLatin1Char(';')));
}
BENCHMARK(TextFile)->Unit(benchmark::kMillisecond);

} // namespace
