#include "ui/export/window_components.h"

#include "base/table/current_result.h"
#include "core/export/export_grid.h"
#include "core/export/sheet_column.h"
#include "core/export/varnik_export.h"
#include "support/qstring_printer.h"
#include "support/study_copy.h"
#include "support/window_user.h"
#include "ui/chart/chart_view.h"

#include <gtest/gtest.h>

#include <memory>

// The workbook exporter with the main window as its owner: the grids and
// charts it is asked for by name are the window's own.
namespace {

struct Errors : TVarnikExport::Feedback {
    void ExibeMensagem(const QString &) override {}
    void setWaitHeight(int) override {}
    void showError(const QString &text) override { shown << text; }
    QStringList shown;
};

// The window on the sample study with the states of the Northeast shown
// and the chart of their homes in view.
class WindowComponentsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_study.made());
        m_user.chooseTopic(QStringLiteral("Déficit habitacional básico, por componente"));
        m_user.pick("cbAgrupar", QStringLiteral("Unidade Federação"));
        m_user.pick("lckRegiao", QStringLiteral("Nordeste"));
        m_user.search();
        m_user.markColumn(QStringLiteral("A01"));
        ASSERT_EQ(m_user.click("lblGrafico"), QStringList());
    }

    const MemoryWorkbook &exportWith(const QStringList &grids, const QStringList &charts) {
        m_exporter.GridsAdicionais = grids;
        m_exporter.ExportarGraficos = charts;
        m_exporter.Exporta();
        return *m_exporter.workbook();
    }

    StudyCopy m_study;
    TMain_Frm m_window;
    WindowUser m_user{m_window};
    WindowComponents m_components{m_window};
    Errors m_errors;
    TVarnikExport m_exporter{&m_components, &m_errors};
};

QString address(int column, int row) { return SheetColumn::fromNumber(column).cell(row); }

} // namespace

// Asked for "dbgDados", the export writes the data grid whole: the same
// cells, in the same looks, as the grid handed over directly, two rows
// lower (the place of the export's own, absent, grid and its empty row).
TEST_F(WindowComponentsTest, FurtherGridByNameIsTheDataGrid) {
    const MemoryWorkbook &named = exportWith({QStringLiteral("dbgDados")}, {});
    ASSERT_EQ(named.value(QStringLiteral("A3")), QStringLiteral("U.F."));
    EXPECT_EQ(named.value(QStringLiteral("A5")), QStringLiteral("AL"));

    const ExportGrid grid = ExportGrid::fromResultTable(m_window.currentResult().cdsDados());
    TVarnikExport direct;
    direct.GridExportado = &grid;
    direct.Exporta();
    const MemoryWorkbook &expected = *direct.workbook();
    ASSERT_EQ(named.rowCount(), expected.rowCount() + 2);
    ASSERT_EQ(named.columnCount(), expected.columnCount());
    for (int row = 1; row <= expected.rowCount(); ++row) {
        for (int column = 1; column <= expected.columnCount(); ++column) {
            const QString cell = address(column, row), moved = address(column, row + 2);
            EXPECT_EQ(named.value(moved), expected.value(cell)) << cell.toStdString();
            const SheetCell *look = named.cell(moved), *expectedLook = expected.cell(cell);
            EXPECT_EQ(look ? *look : SheetCell(), expectedLook ? *expectedLook : SheetCell()) << cell.toStdString();
        }
    }
    EXPECT_EQ(m_errors.shown, QStringList());
}

TEST_F(WindowComponentsTest, ChartByNameIsPastedAsTheViewShowsIt) {
    const MemoryWorkbook &book = exportWith({}, {QStringLiteral("dbchtGrafico")});
    ASSERT_EQ(book.pictures().size(), 1u);
    const ChartView &view = *m_user.find<ChartView>("dbchtGrafico");
    EXPECT_EQ(book.pictures()[0].image.convertToFormat(QImage::Format_RGB32),
              view.picture().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(m_errors.shown, QStringList());
}

// A name the window has, but not of a grid or a chart, writes nothing; a
// chart that is not there is named in an error box.
TEST_F(WindowComponentsTest, NamesOfOtherComponentsWriteNothing) {
    const MemoryWorkbook &book =
        exportWith({QStringLiteral("tvOpcoes"), QStringLiteral("dbchtGrafico")}, {QStringLiteral("dbgDados")});
    EXPECT_TRUE(book.pictures().empty());
    EXPECT_EQ(book.rowCount(), 0);
    EXPECT_EQ(m_errors.shown,
              QStringList{QStringLiteral("Erro ao tentar localizar o Gráfico \"dbgDados\", Verifique!")});
}
