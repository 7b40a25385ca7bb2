#include "base/table/topic_notes.h"
#include "core/export/export_grid.h"
#include "core/export/export_report.h"
#include "core/export/varnik_export.h"

#include <gtest/gtest.h>

namespace {

TEST(ExportReportTest, FilterOfTheNarrowestListThatIsSet) {
    const QString all = QStringLiteral("<Todas>");
    const QString longName = QStringLiteral("Município de nome muito comprido para caber inteiro na linha");
    const struct {
        ExportReport::FilterTexts lists;
        QString filter;
    } cases[] = {
        {{QStringLiteral("Recife"), all, QStringLiteral("Recife"), QStringLiteral("Pernambuco"),
          QStringLiteral("Nordeste")},
         QStringLiteral("Município: Recife")},
        {{QStringLiteral("<Todos>"), all, all, QStringLiteral("Pernambuco"), all},
         QStringLiteral("Unidade Federação: Pernambuco")},
        {{QStringLiteral("<Todos>"), QStringLiteral("RM de Recife"), QStringLiteral("  "), all,
          QStringLiteral("Nordeste")},
         QStringLiteral("Região Metropolitana: RM de Recife")},
        {{QString(), all, all, all, QStringLiteral(" Norte")}, QStringLiteral("Região:  Norte")}, // kept untrimmed
        {{QStringLiteral("<Todos>"), all, all, all, all}, QString()},
        {{longName, all, all, all, all}, (QStringLiteral("Município: ") + longName).left(60)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ExportReport::FFiltro(c.lists), c.filter) << c.filter.toStdString();
    EXPECT_EQ(ExportReport::FFiltro(cases[5].lists).size(), 60);
}

TEST(ExportReportTest, FooterPerPageWithTheNotesShown) {
    TopicNotes notes;
    const QStringList none = ExportReport::MontaRodape(ExportReport::kMapPage, QString(), QString(), notes);
    ASSERT_EQ(none.size(), 4);
    EXPECT_EQ(none[0], QStringLiteral(" - - - Fonte - - -"));
    EXPECT_TRUE(none[2].startsWith(QStringLiteral("     ")));
    EXPECT_TRUE(none[3].startsWith(QStringLiteral("     ")));

    notes.nota1Visible = notes.nota20000Visible = notes.notaVisible = true;
    notes.lines = {QStringLiteral("Nota 1"), QStringLiteral("Nota 2")};
    const QStringList chart = ExportReport::MontaRodape(ExportReport::kChartPage, QStringLiteral("Município"),
                                                        QStringLiteral("Região: Norte"), notes);
    EXPECT_EQ(chart[0], QStringLiteral("Agrupado por: Município;;;Região: Norte"));
    EXPECT_EQ(chart[1], QString());
    EXPECT_EQ(chart.mid(6),
              (QStringList{QString(), QString(), QStringLiteral(" - - - Notas - - -"), QString(),
                           QString(12, u' ') + TopicNotes::kNota20000, QStringLiteral("Nota 1"),
                           QStringLiteral("Nota 2")}));

    const QStringList data = ExportReport::MontaRodape(ExportReport::kDataPage, QString(), QString(), TopicNotes());
    EXPECT_EQ(data, QStringList{QString()} + none);
}

TEST(ExportReportTest, DataPageLayout) {
    ExportGrid grid;
    TVarnikExport exporter;
    ExportReport::prepareDataPage(exporter, grid, {QImage(), QStringLiteral("T1"), QStringLiteral("T2")},
                                  QStringLiteral("Tabela"), QStringLiteral("Região"), QString(), {});
    exporter.Exporta();
    const MemoryWorkbook &book = *exporter.workbook();
    EXPECT_EQ(book.value(QStringLiteral("B2")), QStringLiteral("T1"));
    EXPECT_EQ(book.value(QStringLiteral("B3")), QStringLiteral("T2"));
    EXPECT_EQ(book.value(QStringLiteral("B5")), QStringLiteral("Tabela"));
    EXPECT_EQ(book.value(QStringLiteral("B7")), QStringLiteral("Agrupado por: Região"));
    EXPECT_NE(book.cell(QStringLiteral("E7")), nullptr);
}

// The picture takes the first 30 rows and the footer starts at row 31: a
// taller picture (a chart drawn at the size of a large window) is shrunk to
// those rows, keeping its proportions, so that it hides no footer line.
TEST(ExportReportTest, PicturePageFitsThePictureAboveTheFooter) {
    const struct {
        QSize picture, placed;
    } cases[] = {
        {{620, 460}, {620, 460}},
        {{900, 600}, {900, 600}},
        {{1332, 932}, {858, 600}},
        {{400, 1200}, {200, 600}},
    };
    for (const auto &c : cases) {
        QImage picture(c.picture, QImage::Format_RGB32);
        picture.fill(QColor(30, 90, 200));
        TVarnikExport exporter;
        ExportReport::preparePicturePage(exporter, picture, {QStringLiteral(" - - - Fonte - - -")});
        exporter.Exporta();
        const MemoryWorkbook &book = *exporter.workbook();
        ASSERT_EQ(book.pictures().size(), 1u);
        EXPECT_EQ(book.pictures()[0].image.size(), c.placed) << c.picture.width() << "x" << c.picture.height();
        EXPECT_EQ(book.pictures()[0].image.pixelColor(c.placed.width() / 2, c.placed.height() / 2),
                  QColor(30, 90, 200));
        EXPECT_EQ(book.value(QStringLiteral("A31")), QStringLiteral(" - - - Fonte - - -"));
    }
}

} // namespace
