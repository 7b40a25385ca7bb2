#include "base/table/result_table.h"
#include "support/text_recorder.h"
#include "table_fixture.h"
#include "ui/table/data_grid.h"
#include "ui/table/group_header_view.h"
#include "ui/table/result_table_model.h"
#include "ui/table/table_area.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TableAreaTest : public ::testing::Test {
  protected:
    TableAreaTest() : m_fixture(tableFixtureSql()) {
        m_db.setPath(m_fixture.path());
        m_db.setConnected(true);
        m_area = std::make_unique<TableArea>(m_db);
        m_area->setHost({[this] {
                             ++m_habilitaFiltros;
                             m_area->closeResult();
                         },
                         [this] { ++m_selecionaDados; }, [this](bool shown) { m_agrupar = shown; }});
        m_semDados = new QWidget(m_area.get());
        m_area->setEmptyPanel(m_semDados);
        m_area->resize(900, 500);
        m_area->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_area.get()));
        m_tester = std::make_unique<QAbstractItemModelTester>(grid()->model(),
                                                              QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    DataGrid *grid() const { return m_area->dbgDados(); }
    GroupHeaderView *titles() const { return grid()->titles(); }
    ResultTableModel *model() const { return grid()->tableModel(); }

    int column(const QString &fullName) const { return model()->columnOfField(m_area->result().cdsDados().findField(fullName)); }

    void clickTitle(int c, int level = -1) {
        QRect rect(titles()->sectionViewportPosition(c), 0, titles()->sectionSize(c), titles()->height());
        if (level >= 0)
            rect = QRect(rect.left(), level * titles()->titleRowHeight(), rect.width(), titles()->titleRowHeight());
        QTest::mouseClick(titles()->viewport(), Qt::LeftButton, {}, rect.center());
    }

    void clickGroupTitle(int group) {
        const int firstMember = group + 1;
        const QPoint at(titles()->sectionViewportPosition(firstMember) + 3,
                        model()->depth(group) * titles()->titleRowHeight() + 3);
        QTest::mouseClick(titles()->viewport(), Qt::LeftButton, {}, at);
    }

    void doubleClick() { QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 10)); }

    FixtureDatabase m_fixture;
    Database m_db;
    std::unique_ptr<TableArea> m_area;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
    int m_habilitaFiltros = 0;
    int m_selecionaDados = 0;
    QWidget *m_semDados = nullptr; // plays pnlSemDados
    bool m_agrupar = false;
};

TEST_F(TableAreaTest, RunShowsTheTableWithNestedTitles) {
    m_area->MontaDados(QStringLiteral("01.01.02"), selection(2));
    EXPECT_EQ(m_selecionaDados, 1);
    EXPECT_TRUE(m_semDados->isHidden());
    EXPECT_TRUE(m_agrupar);
    EXPECT_FALSE(m_area->findChild<QWidget *>(QStringLiteral("pnlGauge"))->isVisible());
    EXPECT_EQ(model()->rowCount(), 6);
    // Região, U.F., Microrregião, the group B1 with B2 and B3, then B4.
    ASSERT_EQ(model()->columnCount(), 7);
    EXPECT_TRUE(grid()->isColumnHidden(column("B1")));
    EXPECT_FALSE(grid()->isColumnHidden(column("B1.B2")));
    EXPECT_EQ(titles()->titleRows(), 2);
    EXPECT_EQ(titles()->height(), 2 * titles()->titleRowHeight());
    EXPECT_EQ(model()->headerData(column("B1.B3"), Qt::Horizontal).toString(), QStringLiteral("Amostra"));
    EXPECT_EQ(model()->index(1, 0).data().toString(), QStringLiteral("TOTAL"));
    EXPECT_EQ(model()->index(1, column("B1.B3")).data().toString(), QStringLiteral("x"));
    // The group's title spans its members in the top row.
    EXPECT_EQ(titles()->columnAt(QPoint(titles()->sectionViewportPosition(column("B1.B3")) + 2, 2)), column("B1"));
    EXPECT_EQ(titles()->columnAt(
                  QPoint(titles()->sectionViewportPosition(column("B1.B3")) + 2, titles()->titleRowHeight() + 2)),
              column("B1.B3"));
    EXPECT_EQ(titles()->columnAt(QPoint(titles()->sectionViewportPosition(column("B4")) + 2, 2)), column("B4"));

    // Notes of four lines: a 56-pixel panel, and the caption panel.
    EXPECT_TRUE(m_area->findChild<QWidget *>(QStringLiteral("pnlNota"))->isVisible());
    EXPECT_EQ(m_area->findChild<QWidget *>(QStringLiteral("pnlNota"))->height(), 56);
    EXPECT_EQ(m_area->findChild<QPlainTextEdit *>(QStringLiteral("memNota"))->toPlainText(),
              QStringLiteral("Linha 1\nLinha 2\nLinha 3\nLinha 4"));
    EXPECT_FALSE(m_area->findChild<QLabel *>(QStringLiteral("lblNota20000"))->isVisible());
    EXPECT_TRUE(m_area->findChild<QWidget *>(QStringLiteral("pnlNota1"))->isVisible());

    // A filter changes: the result closes and the empty state comes back.
    m_area->closeResult();
    EXPECT_FALSE(m_area->result().cdsDados().isActive());
    EXPECT_FALSE(m_semDados->isHidden());
    EXPECT_FALSE(m_area->findChild<QWidget *>(QStringLiteral("pnlNota1"))->isVisible());
    EXPECT_FALSE(m_area->findChild<QWidget *>(QStringLiteral("pnlNota"))->isVisible());
}

TEST_F(TableAreaTest, HeadingTopicEmptyResultAndMunicipalityList) {
    m_area->MontaDados(QStringLiteral("01.01"), selection(0));
    EXPECT_EQ(m_habilitaFiltros, 1);
    EXPECT_EQ(m_selecionaDados, 0);
    EXPECT_FALSE(m_semDados->isHidden());

    m_area->MontaDados(QStringLiteral("01.01.02"), selection(0, 9));
    EXPECT_FALSE(m_semDados->isHidden());
    EXPECT_TRUE(m_area->result().cdsDados().isActive());

    m_area->MontaDados(QStringLiteral("03"), selection(4));
    EXPECT_FALSE(m_agrupar);
    EXPECT_TRUE(m_semDados->isHidden());
    EXPECT_FALSE(m_area->findChild<QWidget *>(QStringLiteral("pnlNota1"))->isVisible());
    EXPECT_FALSE(m_area->findChild<QWidget *>(QStringLiteral("pnlNota"))->isVisible());
    // The list has no figure to mark and nothing to freeze.
    clickTitle(model()->columnCount() - 1);
    EXPECT_EQ(grid()->tag(), 0);
    doubleClick();
    EXPECT_TRUE(m_area->dbgDados2()->isHidden());
}

// Every text the table writes into a territory column shows whole: the
// total-row texts and names longer than the column's display width.
TEST_F(TableAreaTest, TerritoryColumnsAreWideEnoughForTheirTexts) {
    struct Case {
        const char *what;
        SelectionState selection;
        const char *written; // a text the table writes itself
    };
    const Case cases[] = {
        {"states of a region", selection(1, 2), "TOT."},
        {"regions", selection(0), "TOTAL"},
        {"micro-regions", selection(2), "TOTAL"},
        {"municipalities", selection(4), "DEMAIS MUNICÍPIOS"},
        {"municipalities of a state", selection(4, 0, 26), "TOTAL"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        m_area->MontaDados(QStringLiteral("01.01.02"), c.selection);
        ASSERT_GT(model()->rowCount(), 0);
        const QFontMetrics metrics = grid()->fontMetrics();
        int checked = 0;
        bool written = false;
        for (int col = 0; col < model()->columnCount(); ++col) {
            if (grid()->isColumnHidden(col) || model()->field(col).kind() != FieldKind::Text)
                continue;
            for (int row = 0; row < model()->rowCount(); ++row) {
                const QString text = model()->index(row, col).data().toString();
                EXPECT_LE(metrics.horizontalAdvance(text) + 4, grid()->columnWidth(col))
                    << text.toStdString() << " in " << model()->field(col).name().toStdString();
                written = written || text == QString::fromUtf8(c.written);
                ++checked;
            }
        }
        EXPECT_GT(checked, 0);
        EXPECT_TRUE(written) << c.written;
    }
}

TEST_F(TableAreaTest, TitleClickMarksOneFigureColumn) {
    m_area->MontaDados(QStringLiteral("01.01.02"), selection(4));
    EXPECT_TRUE(m_area->findChild<QLabel *>(QStringLiteral("lblNota20000"))->isVisible());
    EXPECT_EQ(m_area->findChild<QLabel *>(QStringLiteral("lblNota20000"))->text(),
              QStringLiteral("- Municípios de população na cidade, inferior a 20.000 habitantes foram agrupados em "
                             "\"DEMAIS MUNICÍPIOS\"."));
    int changes = 0;
    QObject::connect(m_area.get(), &TableArea::markChanged, [&] { ++changes; });
    // No title click, marking or not, moves the current cell.
    const QModelIndex current = grid()->currentIndex();
    ASSERT_TRUE(current.isValid());

    // "B3" also occurs in the formula of the earlier line of B2: the mark
    // still names the clicked column.
    const int b3 = column("B1.B3");
    clickTitle(b3, 1);
    EXPECT_EQ(grid()->tag(), b3);
    EXPECT_EQ(m_area->result().mark().FCampoMarcado, QStringLiteral("B3"));
    EXPECT_EQ(m_area->result().mark().FCampoPercentual, QStringLiteral("B1.B3"));

    clickTitle(column("B4"));
    EXPECT_EQ(grid()->tag(), column("B4"));
    EXPECT_EQ(m_area->result().mark().FCampoPercentual, QStringLiteral("B4"));

    // Territory and group titles change nothing.
    clickTitle(column("Municipio"));
    clickGroupTitle(column("B1"));
    EXPECT_EQ(grid()->tag(), column("B4"));
    EXPECT_EQ(grid()->currentIndex(), current);

    clickTitle(column("B4"));
    EXPECT_EQ(grid()->tag(), 0);
    EXPECT_TRUE(m_area->result().mark().FCampoMarcado.isEmpty());
    EXPECT_TRUE(m_area->result().mark().FCampoPercentual.isEmpty());
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(grid()->currentIndex(), current);
}

TEST_F(TableAreaTest, CellColours) {
    m_area->MontaDados(QStringLiteral("01.01.02"), selection(4));
    const int b2 = column("B1.B2");
    clickTitle(b2, 1);
    // Seven rows: municipalities, the country's "DEMAIS" row, the total row last.
    const struct {
        int row;
        int column;
        const char *brush;
    } cases[] = {
        {0, 0, "#ffffd5"},  {0, b2, "#ffff82"}, {1, 0, "#ffd8b0"},
        {1, b2, "#ffae88"}, {6, 0, "#ffae5e"},  {6, b2, "#dd6f00"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(grid()->cellColors(model()->index(c.row, c.column)).brush.name().toStdString(), c.brush)
            << c.row << "," << c.column;

    grid()->setCurrentIndex(model()->index(2, 1));
    EXPECT_EQ(m_area->result().cdsDados().currentRow(), 2);
    EXPECT_EQ(grid()->cellColors(model()->index(2, 1)).text.name().toStdString(), "#000080");
    EXPECT_EQ(grid()->cellColors(model()->index(2, 2)).text.name().toStdString(), "#000000");

    // What is painted is those colours.
    const QImage image = grid()->viewport()->grab().toImage();
    const QRect total = grid()->visualRect(model()->index(6, b2));
    EXPECT_EQ(QColor(image.pixel(total.left() + 2, total.center().y())).name().toStdString(), "#dd6f00");
}

// A number wider than its column shows as a row of "#", never cut to look
// like another number; a name wider than its column ends in "…". What a
// user reads is what the grid paints.
TEST_F(TableAreaTest, ACellTooNarrowForItsNumberShowsMarksInsteadOfPartOfIt) {
    FixtureDatabase wide(tableFixtureSql() + QStringLiteral(R"SQL(
update "010102" set B4 = 12169032 where Tipo_Registro = 4 and Unidade_Federativa = 26;
update "010102" set B4 = 1e308 where Tipo_Registro = 4 and Unidade_Federativa = 15;
)SQL"));
    m_db.setConnected(false);
    m_db.setPath(wide.path());
    m_db.setConnected(true);
    m_area->MontaDados(QStringLiteral("01.01.02"), selection(1));
    const int b4 = column("B4");
    const QString figure = QStringLiteral("12.169.032");
    const QString huge = QStringLiteral("1") + QString(308, QLatin1Char('0'));
    QStringList cells;
    for (int row = 0; row < model()->rowCount(); ++row)
        cells << model()->index(row, b4).data().toString();
    ASSERT_TRUE(cells.contains(figure));
    ASSERT_TRUE(
        std::any_of(cells.begin(), cells.end(), [&](QString text) { return text.remove(QLatin1Char('.')) == huge; }));

    const auto painted = [](QWidget *viewport) {
        TextRecorder recorder(viewport->size());
        viewport->render(&recorder);
        return recorder.texts();
    };
    const auto isMarks = [](const QString &text) {
        return !text.isEmpty() && text.count(QLatin1Char('#')) == text.size();
    };
    const QFontMetrics metrics = grid()->fontMetrics();
    for (const int width : {metrics.horizontalAdvance(figure) + 8, metrics.horizontalAdvance(figure) - 4, 30, 8}) {
        SCOPED_TRACE(width);
        grid()->setColumnWidth(b4, width);
        const QStringList texts = painted(grid()->viewport());
        // The 1e308 never fits, so its column shows marks at any of these widths.
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), isMarks));
        EXPECT_EQ(texts.contains(figure), width > metrics.horizontalAdvance(figure) + 4);
        // A text wider than its cell would be cut where the cell ends.
        int widest = 0;
        for (int c = 0; c < model()->columnCount(); ++c)
            widest = std::max(widest, grid()->columnWidth(c));
        for (const QString &text : texts)
            EXPECT_LE(metrics.horizontalAdvance(text), widest) << text.left(40).toStdString();
    }

    // A region name too long for its column keeps its start and ends in "…".
    grid()->setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral("Nordeste")));
    const QStringList texts = painted(grid()->viewport());
    EXPECT_FALSE(texts.contains(QStringLiteral("Nordeste")));
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const QString &text) {
        return text.startsWith(QLatin1Char('N')) && text.endsWith(QChar(0x2026));
    }));
}

TEST_F(TableAreaTest, DoubleClickFreezesTheTerritoryColumns) {
    m_area->MontaDados(QStringLiteral("01.01.02"), selection(2));
    DataGrid *frozen = m_area->dbgDados2();
    const int width = grid()->columnWidth(0) + grid()->columnWidth(1) + grid()->columnWidth(2);
    doubleClick();
    EXPECT_TRUE(frozen->isVisible());
    EXPECT_FALSE(frozen->isEnabled());
    EXPECT_EQ(frozen->width(), width + 30);
    EXPECT_EQ(frozen->model(), grid()->model());
    EXPECT_TRUE(grid()->isColumnHidden(0));
    EXPECT_TRUE(grid()->isColumnHidden(2));
    EXPECT_FALSE(grid()->isColumnHidden(column("B1.B2")));
    EXPECT_FALSE(grid()->hasRowIndicator());

    // The frozen grid follows the current row.
    grid()->setCurrentIndex(grid()->model()->index(4, column("B1.B2")));
    EXPECT_EQ(frozen->currentIndex().row(), 4);

    doubleClick();
    EXPECT_TRUE(frozen->isHidden());
    EXPECT_EQ(frozen->model(), nullptr);
    EXPECT_FALSE(grid()->isColumnHidden(0));
    EXPECT_TRUE(grid()->hasRowIndicator());
}

TEST_F(TableAreaTest, CloseRemovesMarkFreezeAndNotes) {
    m_area->MontaDados(QStringLiteral("01.01.02"), selection(2));
    clickTitle(column("B4"));
    doubleClick();
    ASSERT_TRUE(m_area->dbgDados2()->isVisible());

    m_area->closeResult();
    EXPECT_TRUE(m_area->dbgDados2()->isHidden());
    EXPECT_TRUE(grid()->hasRowIndicator());
    EXPECT_EQ(grid()->tag(), 0);
    EXPECT_TRUE(m_area->result().mark().FCampoMarcado.isEmpty());
    EXPECT_TRUE(m_area->findChild<QPlainTextEdit *>(QStringLiteral("memNota"))->toPlainText().isEmpty());
    EXPECT_EQ(model()->rowCount(), 0);

    // Double click on an empty table does nothing.
    doubleClick();
    EXPECT_TRUE(m_area->dbgDados2()->isHidden());
}

} // namespace
