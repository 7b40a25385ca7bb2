#include "base/data/database.h"
#include "base/data/program_folder.h"
#include "base/export/export_command.h"
#include "base/table/result_table.h"
#include "base/table/table_run.h"
#include "core/report/table_report.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The report as a PDF file, read back by the poppler tools as a reader of
// the file would: its texts, its pages and their size.
namespace {

const QString kProgramDir = QStringLiteral(SOLVANE_PROGRAM_DIR);

QString tool(const QStringList &arguments) {
    QProcess process;
    process.start(arguments.first(), arguments.mid(1));
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("(%1 failed: %2)").arg(arguments.first(), QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

class TableReportTest : public ::testing::Test {
  protected:
    TableReportTest() {
        ProgramFolder::setPath(kProgramDir);
        m_db.setPath(ProgramFolder::studyFile());
        m_db.setConnected(true);
    }
    ~TableReportTest() override { ProgramFolder::setPath(QString()); }

    // The report of the topic for the exporter's options, written and read.
    QString report(const QStringList &options, const std::function<void(TableReport::Contents &)> &adjust = {}) {
        const ExportCommand::Options parsed = ExportCommand::parse(options);
        m_run.run(parsed.topic, parsed.selection);
        TableReport::Contents contents = TableReport::contents(m_db, m_run.result());
        if (adjust)
            adjust(contents);
        m_pdf = m_dir.filePath(QStringLiteral("relatorio.pdf"));
        TableReport::writePdf(m_pdf, contents);
        return tool({"pdftotext", "-layout", m_pdf, "-"});
    }
    QString info() const { return tool({"pdfinfo", m_pdf}); }
    QString page(int n) const {
        return tool({"pdftotext", "-layout", "-f", QString::number(n), "-l", QString::number(n), m_pdf, "-"});
    }
    int pages() const {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info());
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }

    Database m_db;
    TableRun m_run{m_db};
    QTemporaryDir m_dir;
    QString m_pdf;
};

} // namespace

// A small table: the titles, the grouping and filter, the source, every
// figure the grid shows, and the page numbers.
TEST_F(TableReportTest, EveryFigureOfASmallTableIsText) {
    const QString text = report({"--topico", "01.01.01", "--agrupar", "uf", "--regiao", "2"});
    EXPECT_TRUE(text.contains(QStringLiteral("SOLVANE NO BRASIL"))) << text.left(600).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Déficit habitacional básico, por componente")));
    EXPECT_TRUE(text.contains(QStringLiteral("Agrupado por: Unidade Federação\nRegião: Nordeste")))
        << text.left(900).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("- - - Fonte - - -")));
    const ResultTable &table = m_run.result().cdsDados();
    int figures = 0;
    for (int row = 0; row < table.recordCount(); ++row)
        for (int field = 0; field < table.fieldCount(); ++field)
            if (table.field(field).isVisible() && table.field(field).isNumeric()) {
                EXPECT_TRUE(text.contains(table.displayText(row, field))) << table.displayText(row, field).toStdString();
                ++figures;
            }
    EXPECT_GT(figures, 40);
    EXPECT_EQ(pages(), 2);
    EXPECT_TRUE(page(2).contains(QStringLiteral("Página 2 de 2")));
    EXPECT_TRUE(info().contains(QStringLiteral("595 x 842 pts (A4)"))) << info().toStdString();
}

// A long table runs over pages, each with the nested column titles again;
// the map and the chart, when given, take a page each.
TEST_F(TableReportTest, ALongTableRepeatsItsTitlesOnEveryPage) {
    bool chartPainted = false;
    report({"--topico", "01.01.01", "--agrupar", "municipio"}, [&](TableReport::Contents &contents) {
        contents.map = {QSize(620, 460), [](QPainter &painter) { painter.fillRect(0, 0, 620, 460, Qt::white); }};
        contents.chart = {QSize(900, 600), [&](QPainter &) { chartPainted = true; }};
    });
    const int rows = m_run.result().cdsDados().recordCount();
    ASSERT_GT(rows, 200);
    const int total = pages();
    EXPECT_GT(total, 1 + 4 + 2) << "first page, several table pages, map and chart";
    EXPECT_TRUE(chartPainted);
    for (const int n : {2, 3, total - 2}) {
        const QString text = page(n);
        EXPECT_TRUE(text.contains(QStringLiteral("Déficit habitacional básico"))) << "page " << n;
        EXPECT_TRUE(text.contains(QStringLiteral("Coabitação"))) << "page " << n;
        EXPECT_TRUE(text.contains(QStringLiteral("Página %1 de %2").arg(n).arg(total))) << "page " << n;
    }
    EXPECT_TRUE(page(total - 2).contains(QStringLiteral("TOTAL")));
}

// From the shell: the report of the selection, with the column's map and
// chart on a page each when a column is named; another name than .pdf is
// refused before anything is written.
TEST_F(TableReportTest, TheExporterWritesTheReport) {
    const QString pdf = m_dir.filePath(QStringLiteral("pernambuco.pdf"));
    const QStringList pernambuco{"--topico", "01.01.01", "--agrupar", "municipio", "--uf", "26"};
    QProcess exporter;
    exporter.start(kProgramDir + QStringLiteral("/solvane-export"),
                   pernambuco + QStringList{"--coluna", "A07", "--relatorio", pdf});
    ASSERT_TRUE(exporter.waitForFinished(120000));
    ASSERT_EQ(exporter.exitCode(), 0) << exporter.readAllStandardError().toStdString();
    EXPECT_TRUE(exporter.readAllStandardOutput().isEmpty()) << "the table goes only to --saida";
    m_pdf = pdf;
    EXPECT_EQ(pages(), 4) << "first page, the table, the map, the chart";
    EXPECT_TRUE(page(3).contains(QStringLiteral("Pernambuco"))) << "the map's texts stay texts";
    EXPECT_TRUE(page(4).contains(QStringLiteral("Déficit em relação aos domicílios"))) << "the chart's title";

    exporter.start(kProgramDir + QStringLiteral("/solvane-export"),
                   pernambuco + QStringList{"--relatorio", m_dir.filePath(QStringLiteral("r.txt"))});
    ASSERT_TRUE(exporter.waitForFinished(120000));
    EXPECT_EQ(exporter.exitCode(), 2);
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("r.txt"))));
}
