// jet_writer on the whole sample study, read back by mdbtools: the file the
// importer's end-to-end tests start from holds every table, column and row.
#include "expected_table.h"
#include "jet_writer_run.h"
#include "mdb_reader.h"
#include "support/qstring_printer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(JetSampleTest, TheSampleStudyReadsBackWhole) {
    const QString study = QStringLiteral(SOLVANE_PROGRAM_DIR "/Dados/Solvane.db");
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("Solvane.mdb"));
    const JetWriterRun run = JetWriterRun::run({study, target});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();

    const MdbReader reader(target);
    const QStringList tables = sqliteTables(study);
    ASSERT_GE(tables.size(), 29);
    EXPECT_EQ(reader.tables(), tables);
    qint64 rows = 0;
    for (const QString &table : tables) {
        SCOPED_TRACE(table.toStdString());
        const ExpectedTable expected = ExpectedTable::read(study, table);
        EXPECT_EQ(reader.columns(table), expected.columns);
        const MdbReader::Export exported = reader.exportTable(table);
        QStringList names;
        for (const auto &column : expected.columns)
            names << column.first;
        EXPECT_EQ(exported.header, names);
        expectSameRows(table, expected.rows, exported.rows);
        rows += qint64(exported.rows.size());
    }
    EXPECT_GT(rows, 100000);
}

} // namespace
