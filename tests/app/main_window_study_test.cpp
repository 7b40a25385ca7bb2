#include "base/data/program_folder.h"
#include "base/table/current_result.h"
#include "base/table/result_table.h"
#include "support/modal_answerer.h"
#include "support/qstring_printer.h"
#include "support/study_copy.h"
#include "support/window_user.h"
#include "ui/chart/chart_view.h"
#include "ui/extras/help_window.h"
#include "ui/map/map_page.h"
#include "ui/map/varnik_mapa.h"
#include "ui/selection/sel_municipio_frm.h"
#include "ui/table/data_grid.h"
#include "ui/table/result_table_model.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

// The main window on a copy of the sample study, driven as its user drives
// it, with the towns of Pernambuco shown and their homes marked.
namespace {

const QString kHelpPage = QStringLiteral(SOLVANE_PROGRAM_DIR "/Ajuda/Solvane_AJUDA.html");

class MainWindowStudyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_study.made());
        // The program's help beside the built programs, not beside the tests.
        HelpWindow::setHelpFile(kHelpPage);
        m_user.chooseTopic(QStringLiteral("Déficit habitacional básico, por componente"));
        m_user.pick("cbAgrupar", QStringLiteral("Município"));
        m_user.pick("lckUF", QStringLiteral("Pernambuco"));
        m_user.search();
        m_user.markColumn(QStringLiteral("A01"));
    }
    void TearDown() override { HelpWindow::setHelpFile(QString()); }

    const QImage &map() const { return m_user.find<MapPage>("pgMapa")->picture(); }
    // The chart's points; none while the chart page was never entered, as
    // it is built then.
    size_t chartPoints() const {
        const auto *chart = m_user.find<ChartView>("dbchtGrafico");
        return chart ? chart->renderer().settings().points.size() : 0;
    }

    StudyCopy m_study;
    TMain_Frm m_window;
    WindowUser m_user{m_window};
};

} // namespace

// F1 opens the program's help at the section of the page in view, wherever
// the focus is.
TEST_F(MainWindowStudyTest, F1OpensTheHelpAtTheSectionOfThePageInView) {
    // The band edit comes last: leaving it closes the table.
    const struct {
        const char *section; // the page the control is on
        const char *control;
        const char *help;    // the help's section
    } places[] = {
        {"lblDados", "tvOpcoes", "pagina-dados"},         {"lblDados", "dbgDados", "pagina-dados"},
        {"lblDados", "cbAgrupar", "pagina-dados"},        {"lblDados", "lckUF", "pagina-dados"},
        {"lblMapa", "stgLegendaMapa", "pagina-mapa"},     {"lblGrafico", "cbLegenda", "pagina-grafico"},
        {"lblDados", "edtFaixaInicial", "pagina-dados"},
    };
    for (const auto &place : places) {
        SCOPED_TRACE(place.control);
        ASSERT_EQ(m_user.click(place.section), QStringList());
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        QWidget *control = m_user.find(place.control);
        control->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(control->hasFocus());

        QTest::keyClick(control, Qt::Key_F1);
        HelpWindow *help = HelpWindow::instance();
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(help->browser()->source().toLocalFile(), kHelpPage);
        EXPECT_EQ(help->browser()->source().fragment(), QLatin1String(place.help));
        help->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(HelpWindow::instance(), nullptr);
    }
}

// F1 in a dialog opens the help at the dialog's section, in a window of the
// dialog's own, which the modal dialog does not block.
TEST_F(MainWindowStudyTest, F1InADialogOpensTheHelpAtTheDialogsSection) {
    const struct {
        const char *control;
        const char *help;
    } dialogs[] = {{"lblExportar", "dialogo-exportar"}, {"btnMunicipio", "dialogo-municipios"},
                   {"lblImprimir", "dialogo-anexos"}};
    for (const auto &d : dialogs) {
        SCOPED_TRACE(d.control);
        QString fragment;
        bool ownedByTheDialog = false;
        bool done = false;
        ModalAnswerer answerer([&](QWidget *modal) {
            if (done)
                return;
            done = true;
            QWidget *focus = modal->focusWidget() ? modal->focusWidget() : modal;
            QTest::keyClick(focus, Qt::Key_F1);
            if (HelpWindow *help = HelpWindow::instance()) {
                fragment = help->browser()->source().fragment();
                ownedByTheDialog = help->parentWidget() == modal && help->isVisible();
            }
            qobject_cast<QDialog *>(modal)->reject();
        });
        QTest::mouseClick(m_user.find(d.control), Qt::LeftButton);
        EXPECT_TRUE(done);
        EXPECT_EQ(fragment, QLatin1String(d.help));
        EXPECT_TRUE(ownedByTheDialog);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The page brought into view draws the marked column; every other page lets
// go of what it drew, and draws it again when it comes back.
TEST_F(MainWindowStudyTest, ThePageInViewDrawsAndTheOthersLetGo) {
    ASSERT_EQ(m_user.click("lblMapa"), QStringList());
    const QImage drawn = map();
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(m_user.find<TVarnikMapa>("vkMapa")->picture(), drawn);
    EXPECT_EQ(chartPoints(), 0u);

    ASSERT_EQ(m_user.click("lblGrafico"), QStringList());
    EXPECT_TRUE(map().isNull());
    EXPECT_TRUE(m_user.find<TVarnikMapa>("vkMapa")->picture().isNull());
    EXPECT_GT(chartPoints(), 1u);

    ASSERT_EQ(m_user.click("lblDados"), QStringList());
    EXPECT_EQ(chartPoints(), 0u);
    EXPECT_TRUE(map().isNull());

    ASSERT_EQ(m_user.click("btnMapa"), QStringList());
    EXPECT_EQ(map(), drawn);
}

// Ctrl+C on the grid copies the whole table as shown, whatever cell is
// selected: the nested titles (a group's title over its members) and every
// row with the figures as the grid writes them, as tab-separated text and as
// an HTML table.
TEST_F(MainWindowStudyTest, CtrlCCopiesTheWholeTableAsShown) {
    auto *grid = m_user.find<DataGrid>("dbgDados");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(3, 2));
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    const QMimeData *copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    ASSERT_TRUE(copied->hasText() && copied->hasHtml());

    const QStringList lines = copied->text().split(u'\n', Qt::SkipEmptyParts);
    const ResultTableModel &model = *grid->tableModel();
    ASSERT_EQ(lines.size(), 2 + model.rowCount()) << "two title rows, then every row";
    const QStringList top = lines[0].split(u'\t');
    const QStringList members = lines[1].split(u'\t');
    ASSERT_EQ(top.size(), members.size());
    const qsizetype group = top.indexOf(QStringLiteral("Déficit habitacional básico"));
    ASSERT_GE(group, 0) << lines[0].toStdString();
    EXPECT_EQ(members.mid(group, 4), (QStringList{"Coabitação familiar", "Domicílios improvisados",
                                                 "Domicílios rústicos", "Total"}));
    EXPECT_EQ(top.mid(group + 1, 3), (QStringList{"", "", ""}));
    for (int row = 0; row < model.rowCount(); ++row) {
        const QStringList cells = lines[2 + row].split(u'\t');
        ASSERT_EQ(cells.size(), top.size());
        EXPECT_EQ(cells.first(), model.data(model.index(row, 0)).toString());
    }
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("TOTAL"))) << lines.last().toStdString();

    const QString html = copied->html();
    EXPECT_TRUE(html.contains(QStringLiteral("<th colspan=\"4\" rowspan=\"1\">Déficit habitacional básico</th>")));
    EXPECT_EQ(html.count(QStringLiteral("<tr>")), lines.size());
    EXPECT_TRUE(html.contains(QStringLiteral("<td align=\"right\">%1</td>").arg(lines[2].split(u'\t')[1])));
}

// Ctrl+C on the map and chart pages copies the picture the page shows.
TEST_F(MainWindowStudyTest, CtrlCOnTheMapAndChartPagesCopiesThePicture) {
    QApplication::clipboard()->clear();
    ASSERT_EQ(m_user.click("lblMapa"), QStringList());
    QTest::keyClick(m_user.find("vkMapa"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              map().convertToFormat(QImage::Format_RGB32));

    ASSERT_EQ(m_user.click("lblGrafico"), QStringList());
    auto *chart = m_user.find<ChartView>("dbchtGrafico");
    // The focus on the page's side panel, as a click there leaves it.
    m_user.find("cbLegenda")->setFocus();
    QTest::keyClick(m_user.find("cbLegenda"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              chart->picture().convertToFormat(QImage::Format_RGB32));
}

// The municipality button opens the picker, made on that first click; a
// town ticked and confirmed narrows the table to it.
TEST_F(MainWindowStudyTest, TheMunicipalityButtonOpensThePickerWhoseTownNarrowsTheTable) {
    EXPECT_EQ(m_window.findChild<TSel_Municipio_Frm *>(), nullptr);
    const int allTowns = m_window.currentResult().cdsDados().recordCount();
    QString ticked;
    ModalAnswerer answerer([&](QWidget *modal) {
        auto *picker = qobject_cast<TSel_Municipio_Frm *>(modal);
        if (!picker || !ticked.isEmpty())
            return;
        auto *towns = picker->findChild<QListWidget *>(QStringLiteral("clbSelMunicipio"));
        ASSERT_GT(towns->count(), 1);
        ticked = towns->item(0)->text();
        QTest::mouseClick(towns->viewport(), Qt::LeftButton, {}, towns->visualItemRect(towns->item(0)).center());
        QTest::keyClick(towns, Qt::Key_Space);
        QTest::mouseClick(picker->findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
    });
    QTest::mouseClick(m_user.find("btnMunicipio"), Qt::LeftButton);
    ASSERT_FALSE(ticked.isEmpty());
    EXPECT_NE(m_window.findChild<TSel_Municipio_Frm *>(), nullptr);
    EXPECT_TRUE(m_user.find("btnMunicipioCheck")->isVisible());

    const ResultTable &table = m_window.currentResult().cdsDados();
    EXPECT_LT(table.recordCount(), allTowns);
    QStringList names;
    for (int row = 0; row < table.recordCount(); ++row)
        for (int field = 0; field < table.fieldCount(); ++field)
            names << table.asString(row, field);
    EXPECT_TRUE(names.contains(ticked)) << ticked.toStdString();
}

// Ctrl+P, and "Imprimir…" in the context menu of the page's view, preview
// the report of the page in view: the first page and the table's pages on
// the data page, the first page and the picture's page on the map and chart
// pages. The menu lists the page's own items, then "Copiar" and "Imprimir…".
TEST_F(MainWindowStudyTest, CtrlPAndThePagesMenuPreviewTheReportOfThePageInView) {
    const auto previewedPages = [&](const std::function<void()> &ask) {
        int pages = -1;
        ModalAnswerer answerer([&](QWidget *modal) {
            auto *preview = qobject_cast<QPrintPreviewDialog *>(modal);
            if (!preview)
                return;
            auto *widget = preview->findChild<QPrintPreviewWidget *>();
            widget->updatePreview();
            pages = widget->pageCount();
            preview->reject();
        });
        // The window active again after the last preview, as it is for a user.
        m_window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_window));
        ask();
        EXPECT_EQ(answerer.messages(), QStringList());
        return pages;
    };
    const auto byKeys = [&](const char *focus) {
        return [this, focus] {
            m_user.find(focus)->setFocus();
            QTest::keyClick(m_user.find(focus), Qt::Key_P, Qt::ControlModifier);
        };
    };
    QStringList items;
    const auto byMenu = [&](const char *view) {
        return [this, view, &items] {
            items.clear();
            QTimer::singleShot(0, [&items] {
                auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                ASSERT_NE(menu, nullptr);
                QAction *print = nullptr;
                for (QAction *action : menu->actions()) {
                    if (action->isSeparator())
                        continue;
                    items << action->text();
                    if (action->text() == QStringLiteral("Imprimir…"))
                        print = action;
                }
                ASSERT_NE(print, nullptr);
                menu->setActiveAction(print);
                QTest::keyClick(menu, Qt::Key_Return);
            });
            emit m_user.find(view)->customContextMenuRequested(QPoint(10, 10));
        };
    };
    const QStringList copyAndPrint = {QStringLiteral("Copiar"), QStringLiteral("Imprimir…")};

    EXPECT_GE(previewedPages(byKeys("dbgDados")), 2);
    EXPECT_GE(previewedPages(byMenu("dbgDados")), 2);
    EXPECT_EQ(items, copyAndPrint);

    ASSERT_EQ(m_user.click("lblMapa"), QStringList());
    EXPECT_EQ(previewedPages(byKeys("vkMapa")), 2);
    EXPECT_EQ(previewedPages(byMenu("vkMapa")), 2);
    EXPECT_EQ(items, QStringList{QStringLiteral("Salvar mapa como…")} + copyAndPrint);

    ASSERT_EQ(m_user.click("lblGrafico"), QStringList());
    EXPECT_EQ(previewedPages(byKeys("cbLegenda")), 2);
    EXPECT_EQ(previewedPages(byMenu("dbchtGrafico")), 2);
    EXPECT_EQ(items, copyAndPrint);
}
