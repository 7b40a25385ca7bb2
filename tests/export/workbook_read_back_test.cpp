#include "base/data/database.h"
#include "base/data/format_float.h"
#include "base/data/program_folder.h"
#include "base/table/result_table.h"
#include "base/table/table_run.h"
#include "core/export/export_grid.h"
#include "core/export/memory_workbook.h"
#include "core/export/varnik_export.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The workbook of solvane-export --planilha read back by an independent spreadsheet program: the
// office suite, headless, converts it to text as a Brazilian user sees it.
namespace {

const QString kProgramDir = QStringLiteral(SOLVANE_PROGRAM_DIR);

// Cells of the first sheet of a workbook as shown in pt-BR, one list per row.
std::vector<QStringList> readBack(const QString &workbook, const QString &scratch) {
    // A private profile set to Brazilian Portuguese, so the run neither
    // touches the user's settings nor depends on the machine's locale.
    const QString profile = scratch + QStringLiteral("/perfil");
    QDir().mkpath(profile + QStringLiteral("/user"));
    QFile settings(profile + QStringLiteral("/user/registrymodifications.xcu"));
    EXPECT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse"><value>pt-BR</value></prop></item>
</oor:items>
)");
    settings.close();

    QProcess soffice;
    // Tab-separated, UTF-8, cells as shown.
    soffice.start(QStringLiteral("soffice"),
                  {QStringLiteral("-env:UserInstallation=file://") + profile, QStringLiteral("--headless"),
                   QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                   QStringLiteral("csv:Text - txt - csv (StarCalc):9,34,76,1,,1046,false,false,true,false,false"),
                   QStringLiteral("--outdir"), scratch, workbook});
    EXPECT_TRUE(soffice.waitForFinished(120000)) << "soffice did not finish";
    EXPECT_EQ(soffice.exitCode(), 0) << soffice.readAllStandardError().toStdString();

    QFile csv(scratch + u'/' + QFileInfo(workbook).completeBaseName() + QStringLiteral(".csv"));
    EXPECT_TRUE(csv.open(QIODevice::ReadOnly)) << "no text file from the office suite";
    std::vector<QStringList> rows;
    for (const QString &line : QString::fromUtf8(csv.readAll()).split(u'\n')) {
        QStringList cells;
        for (QString cell : line.split(u'\t')) {
            if (cell.startsWith(u'"') && cell.endsWith(u'"') && cell.size() >= 2)
                cell = cell.mid(1, cell.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
            cells << cell;
        }
        rows.push_back(cells);
    }
    return rows;
}

TEST(WorkbookReadBackTest, OfficeSuiteReadsTheTableCellByCellWithNumbersAsNumbers) {
    ProgramFolder::setPath(kProgramDir);
    Database db;
    db.setPath(ProgramFolder::studyFile());
    db.setConnected(true);
    TableRun run(db);
    SelectionState selection;
    selection.agrupar = Grouping::UnidadeFederativa;
    ASSERT_TRUE(run.run(QStringLiteral("02.01.01"), selection));
    const ResultTable &table = run.result().cdsDados();
    ProgramFolder::setPath(QString());

    const ExportGrid grid = ExportGrid::fromResultTable(table);
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("DADOS_Solvane_2000.xlsx"));
    QProcess shell;
    shell.start(kProgramDir + QStringLiteral("/solvane-export"),
                {QStringLiteral("--topico"), QStringLiteral("02.01.01"), QStringLiteral("--agrupar"),
                 QStringLiteral("uf"), QStringLiteral("--planilha"), workbook});
    ASSERT_TRUE(shell.waitForFinished(60000));
    ASSERT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    const std::vector<QStringList> rows = readBack(workbook, dir.path());
    const auto at = [&](int row, int column) {
        return row - 1 < static_cast<int>(rows.size()) && column < rows[row - 1].size() ? rows[row - 1][column]
                                                                                       : QString();
    };
    EXPECT_EQ(at(2, 1), QStringLiteral("SOLVANE NO BRASIL"));
    EXPECT_EQ(at(7, 1), QStringLiteral("Agrupado por: Unidade Federação"));
    EXPECT_FALSE(at(5, 1).isEmpty()); // the table's title

    // The shown value fields in grid order, as the sheet's columns take them.
    std::vector<int> fields;
    for (const ExportGrid::Column &column : grid.columns) {
        const int f = grid.fieldIndex(column.fieldName);
        if (column.visible && grid.fields[f].kind != ExportGrid::FieldKind::Group)
            fields.push_back(f);
    }
    int titleRows = 1;
    for (int f : fields)
        titleRows = std::max<int>(titleRows, static_cast<int>(grid.fields[f].fullName.count(u'.')) + 1);
    const int firstRow = 9 + titleRows;
    ASSERT_GT(table.recordCount(), 20);
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    int numbers = 0;
    for (int row = 0; row < table.recordCount(); ++row) {
        for (size_t c = 0; c < fields.size(); ++c) {
            const ResultField &field = table.field(fields[c]);
            const QString shown = at(firstRow + row, static_cast<int>(c));
            if (field.isNumeric()) {
                // Shown through the field's format in the Brazilian notation:
                // a number, never its raw digits or a text.
                EXPECT_EQ(shown, FormatFloat(field.displayFormat(), table.asFloat(row, fields[c]), brazil))
                    << "row " << row << " " << field.fullName().toStdString();
                ++numbers;
            } else {
                EXPECT_EQ(shown, table.asString(row, fields[c])) << "row " << row;
            }
        }
    }
    EXPECT_GT(numbers, 100);
    EXPECT_EQ(at(firstRow + table.recordCount() + 2, 0), QStringLiteral(" - - - Fonte - - -"));
}

// solvane-export --mapa and --grafico with a workbook name write what the
// export dialog writes on the map and chart pages: the picture at the top
// left corner, then the footer from row 31 (on the chart page the grouping
// and filter line first).
TEST(WorkbookReadBackTest, MapAndChartWorkbooksHoldThePictureAndTheFooterFromRow31) {
    QTemporaryDir dir;
    const QStringList pernambuco = {QStringLiteral("--topico"), QStringLiteral("02.01.01"),
                                    QStringLiteral("--agrupar"), QStringLiteral("municipio"),
                                    QStringLiteral("--uf"),      QStringLiteral("26"),
                                    QStringLiteral("--coluna"),  QStringLiteral("A01")};
    const struct {
        const char *option, *name;
        std::vector<std::pair<int, QStringList>> rows; // 1-based row, its first cells
    } cases[] = {
        {"--mapa", "MAPA_Solvane_2000.xlsx", {{31, {" - - - Fonte - - -"}}}},
        {"--grafico",
         "GRAFICO_Solvane_2000.XLSX",
         {{31, {"Agrupado por: Município", "", "", "Unidade Federação: Pernambuco"}},
          {33, {" - - - Fonte - - -"}}}},
    };
    for (const auto &c : cases) {
        const QString workbook = dir.filePath(QLatin1String(c.name));
        QProcess shell;
        shell.start(kProgramDir + QStringLiteral("/solvane-export"),
                    pernambuco + QStringList{QLatin1String(c.option), workbook});
        ASSERT_TRUE(shell.waitForFinished(60000));
        ASSERT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
        QFile file(workbook);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().contains("xl/media/image1.png")) << c.option << ": no picture in the workbook";

        const std::vector<QStringList> rows = readBack(workbook, dir.path());
        for (int row = 1; row < 31; ++row)
            EXPECT_TRUE(row > static_cast<int>(rows.size()) || rows[row - 1].join(QString()).isEmpty())
                << c.option << " row " << row << " is not empty";
        for (const auto &[row, cells] : c.rows) {
            ASSERT_GE(static_cast<int>(rows.size()), row) << c.option;
            EXPECT_EQ(rows[row - 1].mid(0, cells.size()), cells) << c.option << " row " << row;
        }
    }
}

// The sheet goes to the file row after row, whatever order it was filled
// in: nothing written to an earlier row, beside a merged area over several
// rows or below it is lost.
TEST(WorkbookReadBackTest, ASheetFilledInAnyOrderKeepsEveryCellAroundAMergeOverRows) {
    MemoryWorkbook book(QLocale(QLocale::Portuguese, QLocale::Brazil));
    book.addWorkbook();
    book.setValue(QStringLiteral("C5"), QStringLiteral("abaixo"));
    book.setValue(QStringLiteral("A2"), QStringLiteral("área"));
    book.setFontBold(QStringLiteral("A2"), true);
    book.mergeCells(QStringLiteral("A2"), QStringLiteral("B4"));
    book.setValue(QStringLiteral("D3"), 7.5);
    book.setNumberFormat(QStringLiteral("D3"), QStringLiteral("##0,00"));
    book.setValue(QStringLiteral("A1"), QStringLiteral("topo"));
    book.setValue(QStringLiteral("C4"), QStringLiteral("ao lado"));
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("ordem.xlsx"));
    book.saveAs(workbook);

    const std::vector<QStringList> rows = readBack(workbook, dir.path());
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[0].mid(0, 1), QStringList{QStringLiteral("topo")});
    EXPECT_EQ(rows[1].mid(0, 1), QStringList{QStringLiteral("área")});
    EXPECT_EQ(rows[2].mid(0, 4), (QStringList{QString(), QString(), QString(), QStringLiteral("7,50")}));
    EXPECT_EQ(rows[3].mid(0, 3), (QStringList{QString(), QString(), QStringLiteral("ao lado")}));
    EXPECT_EQ(rows[4].mid(0, 3), (QStringList{QString(), QString(), QStringLiteral("abaixo")}));
}

} // namespace
