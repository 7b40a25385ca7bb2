#include "extras/url_recorder.h"
#include "support/qstring_printer.h"
#include "support/study_copy.h"
#include "support/window_user.h"
#include "support/workbook_file.h"
#include "ui/chart/chart_view.h"
#include "ui/export/exportar_frm.h"
#include "ui/map/map_page.h"

#include <QDir>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

// "Exportar" in the main window's header on a copy of the sample study, the
// window driven as its user drives it: the dialog it opens for the page in
// view, and the workbook that dialog writes.
namespace {

const QString kTopic = QStringLiteral("Déficit habitacional básico, por componente");

class ExportFromWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_study.made()); }

    // Sends the dialog with the workbook chosen, into the target folder; the
    // workbook it wrote.
    WindowUser::Export exportWorkbook(WindowUser &user, QStringList *highlightedMeanwhile = nullptr) {
        return user.exportThroughHeader([&](TExportar_Frm &dialog) {
            if (highlightedMeanwhile)
                *highlightedMeanwhile = WindowUser::highlightedCaptions(*qobject_cast<TMain_Frm *>(dialog.parent()));
            WindowUser::chooseFolder(dialog, m_target.path());
        });
    }

    StudyCopy m_study;
    QTemporaryDir m_target;
    UrlRecorder m_desktop;
};

QImage pngOf(const WorkbookFile &book, const char *entry) {
    const auto found = book.entries().find(QLatin1String(entry));
    return found == book.entries().end() ? QImage() : QImage::fromData(found->second, "PNG");
}

} // namespace

// The dialog is titled and names its files after the page in view; it
// exports that page (the map's and the chart's picture reach the workbook
// as the page shows them), and once it closes the page's caption is
// highlighted again.
TEST_F(ExportFromWindowTest, TheDialogServesThePageInViewAndItsCaptionComesBack) {
    const struct {
        const char *section;
        int page;
        const char *caption, *name;
    } cases[] = {
        {"lblDados", 0, "Exportação dos Dados ....", "DADOS_Solvane_2000"},
        {"lblMapa", 1, "Exportação do Mapa ....", "MAPA_Solvane_2000"},
        {"btnGrafico", 2, "Exportação do Gráfico ....", "GRAFICO_Solvane_2000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.section);
        TMain_Frm window;
        WindowUser user(window);
        user.chooseTopic(kTopic);
        user.pick("cbAgrupar", QStringLiteral("Município"));
        user.pick("lckUF", QStringLiteral("Pernambuco"));
        user.search();
        user.markColumn(QStringLiteral("A01"));
        ASSERT_EQ(user.click(c.section), QStringList());
        QImage shown;
        if (c.page == 1)
            shown = user.find<MapPage>("pgMapa")->picture();
        else if (c.page == 2)
            shown = user.find<ChartView>("dbchtGrafico")->picture();

        QStringList highlightedMeanwhile;
        const WindowUser::Export sent = exportWorkbook(user, &highlightedMeanwhile);
        EXPECT_EQ(sent.caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(sent.workbookName, QLatin1String(c.name));
        EXPECT_EQ(sent.fileName, QLatin1String(c.name));
        EXPECT_EQ(sent.messages, QStringList{QStringLiteral("Exportação Efetuada com Sucesso !")});
        EXPECT_EQ(highlightedMeanwhile, QStringList{QStringLiteral("lblExportar")});

        const QString caption = QString::fromLatin1(c.section).replace(QStringLiteral("btn"), QStringLiteral("lbl"));
        EXPECT_EQ(WindowUser::highlightedCaptions(window), QStringList{caption});
        EXPECT_EQ(user.find<QStackedWidget>("nbPrincipal")->currentIndex(), c.page);

        const QString path = QDir(m_target.path()).filePath(QLatin1String(c.name) + QStringLiteral(".Xlsx"));
        ASSERT_EQ(m_desktop.opened, QList<QUrl>{QUrl::fromLocalFile(path)});
        m_desktop.opened.clear();
        const WorkbookFile book(path);
        ASSERT_EQ(book.error(), QString());
        if (c.page == 0) {
            EXPECT_EQ(book.cell(QStringLiteral("B5")), kTopic);
        } else {
            const QImage pasted = pngOf(book, "xl/media/image1.png");
            ASSERT_FALSE(shown.isNull());
            // A picture taller than the sheet's 30 picture rows is shrunk to them.
            const QImage fitted = shown.height() > 600 ? shown.scaledToHeight(600, Qt::SmoothTransformation) : shown;
            EXPECT_EQ(pasted.convertToFormat(QImage::Format_RGB32), fitted.convertToFormat(QImage::Format_RGB32));
            EXPECT_EQ(book.cell(QStringLiteral("B5")), QString());
        }
        QFile::remove(path);
    }
}

// The workbook of the data page is titled with the topic, then the grouping
// and the narrowest territory chosen: the municipality over the metropolitan
// region over the micro-region over the state over the region.
TEST_F(ExportFromWindowTest, TheFilterLineNamesTheNarrowestListChosen) {
    const struct {
        const char *grouping;
        std::vector<std::pair<const char *, const char *>> lists; // picked in this order
        const char *filter;
    } cases[] = {
        {"Região", {}, ""},
        {"Unidade Federação", {{"lckRegiao", "Nordeste"}}, "Região: Nordeste"},
        {"Microrregião", {{"lckRegiao", "Nordeste"}, {"lckUF", "Pernambuco"}}, "Unidade Federação: Pernambuco"},
        {"Microrregião",
         {{"lckRegiao", "Nordeste"}, {"lckUF", "Pernambuco"}, {"lckMicroReg", "Recife"}},
         "Microrregião: Recife"},
        {"R. Metropolitana",
         {{"lckRegiao", "Nordeste"}, {"lckUF", "Pernambuco"}, {"lckRegMetrop", "RM de Recife"}},
         "Região Metropolitana: RM de Recife"},
        {"Município",
         {{"lckRegiao", "Nordeste"}, {"lckUF", "Pernambuco"}, {"lckMicroReg", "Recife"}, {"lckMunicipio", "Recife"}},
         "Município: Recife"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.filter);
        TMain_Frm window;
        WindowUser user(window);
        user.chooseTopic(kTopic);
        user.pick("cbAgrupar", QString::fromUtf8(c.grouping));
        for (const auto &[list, entry] : c.lists)
            user.pick(list, QString::fromUtf8(entry));
        user.search();
        ASSERT_EQ(exportWorkbook(user).messages, QStringList{QStringLiteral("Exportação Efetuada com Sucesso !")});

        const QString path = m_target.filePath(QStringLiteral("DADOS_Solvane_2000.Xlsx"));
        const WorkbookFile book(path);
        ASSERT_EQ(book.error(), QString());
        EXPECT_EQ(book.cell(QStringLiteral("B5")), kTopic);
        EXPECT_EQ(book.cell(QStringLiteral("B7")), QStringLiteral("Agrupado por: ") + QString::fromUtf8(c.grouping));
        EXPECT_EQ(book.cell(QStringLiteral("E7")), QString::fromUtf8(c.filter));
        QFile::remove(path);
    }
}
