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

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

// The main window on a copy of the sample study, driven as its user drives
// it, with the towns of Pernambuco shown and their homes marked.
namespace {

class MainWindowStudyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_study.made());
        m_user.chooseTopic(QStringLiteral("Déficit habitacional básico, por componente"));
        m_user.pick("cbAgrupar", QStringLiteral("Município"));
        m_user.pick("lckUF", QStringLiteral("Pernambuco"));
        m_user.search();
        m_user.markColumn(QStringLiteral("A01"));
    }

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

// F1 opens the study's help at the window's context, wherever the focus is.
TEST_F(MainWindowStudyTest, F1OpensTheHelpAtItsContextFromEveryPage) {
    // The band edit comes last: leaving it closes the table.
    const struct {
        const char *section; // the page the control is on
        const char *control;
    } places[] = {
        {"lblDados", "tvOpcoes"},        {"lblDados", "dbgDados"},      {"lblDados", "cbAgrupar"},
        {"lblDados", "lckUF"},           {"lblMapa", "stgLegendaMapa"}, {"lblGrafico", "cbLegenda"},
        {"lblDados", "edtFaixaInicial"},
    };
    const QString helpFile = ProgramFolder::file(QStringLiteral("Ajuda/Solvane_AJUDA.html"));
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
        EXPECT_EQ(help->browser()->source().toLocalFile(), helpFile);
        EXPECT_EQ(help->browser()->source().fragment(), QStringLiteral("1"));
        help->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(HelpWindow::instance(), nullptr);
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
