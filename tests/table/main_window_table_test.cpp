#include "base/data/program_folder.h"
#include "base/table/current_result.h"
#include "base/table/result_table.h"
#include "support/modal_answerer.h"
#include "support/window_user.h"
#include "table_fixture.h"
#include "ui/app/main_frm.h"
#include "ui/selection/number_edit.h"
#include "ui/table/data_grid.h"
#include "ui/table/data_page.h"
#include "ui/table/group_header_view.h"
#include "ui/table/result_table_model.h"
#include "ui/table/table_area.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The main window on the table study, shown.
class MainWindowTableTest : public ::testing::Test {
  protected:
    MainWindowTableTest() : m_db(tableFixtureSql()) {
        ProgramFolder::setPath(m_db.folder());
        m_window = std::make_unique<TMain_Frm>();
        m_user = std::make_unique<WindowUser>(*m_window);
    }
    ~MainWindowTableTest() override {
        m_user.reset();
        m_window.reset();
        ProgramFolder::setPath(QString());
    }

    DataGrid *grid() const { return m_window->findChild<DataGrid *>(QStringLiteral("dbgDados")); }
    QWidget *widget(const char *name) const { return m_window->findChild<QWidget *>(QLatin1String(name)); }

    void choose(const QString &title) { m_user->chooseTopic(title); }

    FixtureDatabase m_db;
    std::unique_ptr<TMain_Frm> m_window;
    std::unique_ptr<WindowUser> m_user;
};

TEST_F(MainWindowTableTest, ChoosingATableShowsItAndMarkingReachesTheWindow) {
    EXPECT_TRUE(widget("pnlSemDados")->isVisible());
    EXPECT_FALSE(grid()->isVisible());

    choose(QStringLiteral("Déficit por faixa de renda"));
    EXPECT_FALSE(widget("pnlSemDados")->isVisible());
    ASSERT_TRUE(grid()->isVisible());
    EXPECT_EQ(grid()->model()->rowCount(), 3);
    EXPECT_EQ(m_window->currentResult().FAtributos().size(), 4);
    EXPECT_EQ(m_window->currentResult().FCampoLocal(), QStringLiteral("Regiao"));
    EXPECT_TRUE(widget("pnlNota")->isVisible());

    const int b4 = grid()->tableModel()->columnOfField(grid()->tableModel()->table().findField(QStringLiteral("B4")));
    const QRect title(grid()->titles()->sectionViewportPosition(b4), 0, grid()->titles()->sectionSize(b4),
                      grid()->titles()->height());
    QTest::mouseClick(grid()->titles()->viewport(), Qt::LeftButton, {}, title.center());
    EXPECT_EQ(m_window->currentResult().FCampoMarcado(), QStringLiteral("B4"));
    EXPECT_EQ(m_window->currentResult().FCampoPercentual(), QStringLiteral("B4"));

    // A heading closes the table: the mark goes and the empty state returns.
    choose(QStringLiteral("Domicílios"));
    EXPECT_TRUE(widget("pnlSemDados")->isVisible());
    EXPECT_TRUE(m_window->currentResult().FCampoMarcado().isEmpty());
    EXPECT_TRUE(m_window->currentResult().FAtributos().isEmpty());
}

TEST_F(MainWindowTableTest, EngineErrorReachesTheErrorBoxAndTheWindowRecovers) {
    // The gauge shows while the run fills the table, and is gone after it.
    bool gaugeShown = false;
    QObject::connect(&m_window->currentResult().cdsDados(), &ResultTable::contentReset,
                     [&] { gaugeShown = gaugeShown || widget("pnlGauge")->isVisible(); });
    ModalAnswerer answerer;
    choose(QStringLiteral("Tabela incompleta"));
    QTRY_COMPARE(answerer.answered(), 1);
    ASSERT_EQ(answerer.messages().size(), 1);
    EXPECT_TRUE(answerer.messages().first().contains(QStringLiteral("Z9")))
        << answerer.messages().first().toStdString();
    EXPECT_TRUE(widget("pnlSemDados")->isVisible());
    EXPECT_TRUE(gaugeShown);
    EXPECT_FALSE(widget("pnlGauge")->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace

namespace {

TEST_F(MainWindowTableTest, GroupingChangeClosesAndSearchRunsAgain) {
    choose(QStringLiteral("Déficit por faixa de renda"));
    ASSERT_EQ(grid()->model()->rowCount(), 3);
    auto *cbAgrupar = m_window->findChild<QComboBox *>(QStringLiteral("cbAgrupar"));
    ASSERT_NE(cbAgrupar, nullptr);

    // The user picks "Município": the result closes until the search.
    cbAgrupar->setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(cbAgrupar, Qt::Key_Down);
    ASSERT_EQ(cbAgrupar->currentIndex(), 4);
    EXPECT_TRUE(widget("pnlSemDados")->isVisible());
    EXPECT_FALSE(grid()->isVisible());

    QTest::mouseClick(m_window->findChild<QAbstractButton *>(QStringLiteral("btnPesquisar")), Qt::LeftButton);
    ASSERT_TRUE(grid()->isVisible());
    EXPECT_EQ(grid()->model()->rowCount(), 7);
    EXPECT_EQ(m_window->currentResult().FCampoLocal(), QStringLiteral("Municipio"));
    EXPECT_TRUE(widget("lblNota20000")->isVisible());
}

// The search button takes no focus, so the user may start a search while
// still in a band edit: the band is corrected before the search reads it,
// and leaving the edit afterwards does not close the new result.
TEST_F(MainWindowTableTest, TheBandIsCorrectedBeforeASearchStartedFromInsideIt) {
    choose(QStringLiteral("Déficit por faixa de renda"));
    auto *cbAgrupar = m_window->findChild<QComboBox *>(QStringLiteral("cbAgrupar"));
    cbAgrupar->setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(cbAgrupar, Qt::Key_Down);
    ASSERT_EQ(cbAgrupar->currentIndex(), 4);

    auto *lower = m_window->findChild<NumberEdit *>(QStringLiteral("edtFaixaInicial"));
    QTest::mouseClick(lower, Qt::LeftButton);
    ASSERT_TRUE(lower->hasFocus());
    lower->selectAll();
    QTest::keyClicks(lower, QStringLiteral("5"));
    QTest::mouseClick(m_window->findChild<QAbstractButton *>(QStringLiteral("btnPesquisar")), Qt::LeftButton);

    ASSERT_TRUE(grid()->isVisible());
    EXPECT_EQ(m_window->currentResult().selection().faixaInicial, 20000);
    EXPECT_EQ(lower->value(), 20000);

    QTest::keyClick(lower, Qt::Key_Tab);
    EXPECT_FALSE(lower->hasFocus());
    EXPECT_EQ(lower->text(), QStringLiteral("20.000"));
    EXPECT_TRUE(grid()->isVisible());
}

} // namespace

// The search line over the tree: typing keeps the topics whose titles hold
// every word (case and accents aside) with their headings opened, loading
// the levels they need in both trees; Enter opens the first as a click
// would; Escape brings every topic back.
TEST_F(MainWindowTableTest, TheSearchLineFiltersTheTopicsAndOpensTheFirst) {
    auto *search = m_window->findChild<QLineEdit *>(QStringLiteral("edtProcurarTopico"));
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->placeholderText(), QStringLiteral("Procurar tópico"));
    auto *tree = m_window->findChild<QTreeWidget *>(QStringLiteral("tvOpcoes"));
    auto *twin = m_window->findChild<QTreeWidget *>(QStringLiteral("tvIDOpcoes"));
    const auto shown = [&] {
        QStringList titles;
        for (QTreeWidgetItemIterator it(tree, QTreeWidgetItemIterator::NotHidden); *it; ++it)
            if ((*it)->parent() == nullptr || !(*it)->parent()->isHidden())
                titles << (*it)->text(0);
        return titles;
    };
    const auto count = [](QTreeWidget *t) {
        int n = 0;
        for (QTreeWidgetItemIterator it(t); *it; ++it)
            ++n;
        return n;
    };

    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("DEFICIT renda"));
    EXPECT_EQ(shown(), (QStringList{"Domicílios", "Déficit", "Déficit por faixa de renda"}));
    EXPECT_EQ(count(tree), count(twin)) << "the hidden twin loads the same nodes";
    EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());

    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(m_window->currentResult().topic(), QStringLiteral("01.01.02"));
    EXPECT_TRUE(grid()->isVisible());

    QTest::keyClick(search, Qt::Key_Escape);
    EXPECT_TRUE(search->text().isEmpty());
    EXPECT_TRUE(shown().contains(QStringLiteral("Outros")));
    EXPECT_TRUE(shown().contains(QStringLiteral("Déficit por componente")));

    QTest::keyClicks(search, QStringLiteral("nada disso"));
    EXPECT_EQ(shown(), QStringList());
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(m_window->currentResult().topic(), QStringLiteral("01.01.02")) << "nothing found, nothing opened";
}
