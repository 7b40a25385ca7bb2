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
    EXPECT_GT(expectSameTables(reader, study, tables), 100000);
}

} // namespace
