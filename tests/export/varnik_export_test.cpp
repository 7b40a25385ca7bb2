#include "base/data/app_error.h"
#include "base/data/scope_guard.h"
#include "base/table/result_table.h"
#include "core/export/export_grid.h"
#include "core/export/varnik_export.h"
#include "export_grid_builder.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

using Kind = ExportGrid::FieldKind;

struct Recorder : TVarnikExport::Feedback {
    void ExibeMensagem(const QString &text) override { shown << text; }
    void setWaitHeight(int pixels) override { height = pixels; }
    void showError(const QString &text) override { errors << text; }
    QStringList shown, errors;
    int height = 0;
};

struct Components : TVarnikExport::Owner {
    const ExportGrid *grid(const QString &name) const override {
        const auto found = grids.find(name);
        return found == grids.end() ? nullptr : found->second;
    }
    std::optional<QImage> chart(const QString &name) const override {
        const auto found = charts.find(name);
        return found == charts.end() ? std::nullopt : std::optional<QImage>(found->second);
    }
    std::map<QString, const ExportGrid *> grids;
    std::map<QString, QImage> charts;
};

QImage picture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    return image;
}

class VarnikExportTest : public ::testing::Test {
  protected:
    const MemoryWorkbook &run() {
        exporter.Exporta();
        return *exporter.workbook();
    }
    QVariant value(const char *cell) const { return exporter.workbook()->value(QString::fromLatin1(cell)); }
    const SheetCell *cell(const char *address) const {
        return exporter.workbook()->cell(QString::fromLatin1(address));
    }

    Components components;
    Recorder recorder;
    TVarnikExport exporter{&components, &recorder};
};

TEST_F(VarnikExportTest, HeaderLinesFromColumnBSplitAtSemicolons) {
    exporter.ColunaCabecalho = 2;
    exporter.Cabecalho = {QString(), QStringLiteral("SOLVANE NO BRASIL"), QStringLiteral("Déficit;2000")};
    const MemoryWorkbook &book = run();

    EXPECT_TRUE(book.pictures().empty());
    for (const char *address : {"B1", "B2", "B3", "C3"}) {
        ASSERT_NE(cell(address), nullptr) << address;
        EXPECT_TRUE(cell(address)->bold) << address;
        EXPECT_EQ(cell(address)->fontColor, 30444) << address;
    }
    EXPECT_TRUE(value("B1").isNull());
    EXPECT_EQ(value("B2"), QStringLiteral("SOLVANE NO BRASIL"));
    EXPECT_EQ(value("B3"), QStringLiteral("Déficit"));
    EXPECT_EQ(value("C3"), 2000.0);
    EXPECT_EQ(cell("A1"), nullptr);
    EXPECT_EQ(cell("D3"), nullptr);
    EXPECT_EQ(book.rowCount(), 3);
    EXPECT_EQ(book.sheetName(), QStringLiteral("Relatórios via Excel"));
    EXPECT_TRUE(book.visible());
    EXPECT_TRUE(book.displayAlerts());
    EXPECT_EQ(exporter.ColunaCabecalhoFiltro, 1); // 0 is taken as 1, and kept

    // The please-wait window showed the message at 80 pixels and is hidden.
    EXPECT_EQ(recorder.height, 80);
    EXPECT_TRUE(recorder.shown.contains(QStringLiteral("Exportando dados para o Microsoft Excel...")));
    EXPECT_TRUE(recorder.shown.last().isEmpty());
}

TEST_F(VarnikExportTest, GroupingLineWithAnEmptyFilterAndWithOne) {
    exporter.ColunaCabecalhoFiltro = 2;
    exporter.CabecalhoFiltro = {QStringLiteral("Agrupado por: Município;;;"),
                                QStringLiteral("Agrupado por: Município;;;Unidade Federação: Pernambuco")};
    run();
    EXPECT_EQ(value("B1"), QStringLiteral("Agrupado por: Município"));
    for (const char *empty : {"C1", "D1", "E1", "C2", "D2"}) {
        ASSERT_NE(cell(empty), nullptr) << empty;
        EXPECT_TRUE(value(empty).isNull()) << empty;
        EXPECT_EQ(cell(empty)->fontColor, 2077948) << empty;
    }
    EXPECT_EQ(value("E2"), QStringLiteral("Unidade Federação: Pernambuco"));
    EXPECT_EQ(cell("F1"), nullptr);
}

TEST_F(VarnikExportTest, PlaceOfTheFirstGridAndOfTheFooter) {
    GridBuilder builder;
    builder.field(QStringLiteral("Regiao"), Kind::Text, -1, QString(), 20);
    builder.row({QStringLiteral("Norte")});
    const ExportGrid grid = builder.grid();

    // Picture rows, filter lines, grid and footer: the row of the titles and
    // of the first footer line.
    const struct {
        int linhasImagem;
        int filterLines;
        bool withGrid;
        int titleRow;
        int footerRow;
    } cases[] = {
        {6, 4, true, 9, 12}, // titles, one row, an empty row, then the footer
        {30, 0, false, 0, 31},
        {0, 2, true, 3, 6},
    };
    for (const auto &c : cases) {
        exporter.LinhasImagem = c.linhasImagem;
        exporter.CabecalhoFiltro = QStringList(c.filterLines, QStringLiteral("filtro"));
        exporter.GridExportado = c.withGrid ? &grid : nullptr;
        exporter.Rodape = {QStringLiteral("Fonte")};
        run();
        if (c.withGrid) {
            EXPECT_EQ(value(qPrintable(QStringLiteral("A%1").arg(c.titleRow))), QStringLiteral("T Regiao"));
            EXPECT_EQ(value(qPrintable(QStringLiteral("A%1").arg(c.titleRow + 1))), QStringLiteral("Norte"));
        }
        EXPECT_EQ(value(qPrintable(QStringLiteral("A%1").arg(c.footerRow))), QStringLiteral("Fonte"));
        EXPECT_EQ(exporter.workbook()->rowCount(), c.footerRow);
    }
}

// The header picture reaches A1 whole, the largest the program draws too
// (a 10 000 x 10 000 chart is four times what an image file reader takes).
TEST_F(VarnikExportTest, HeaderPictureGoesToA1Whole) {
    for (const QSize size : {QSize(64, 67), QSize(10000, 10000)}) {
        exporter.ImagemCabecalho = picture(size.width(), size.height());
        const MemoryWorkbook &book = run();
        ASSERT_EQ(book.pictures().size(), 1u);
        EXPECT_EQ(book.pictures()[0].row, 0);
        EXPECT_EQ(book.pictures()[0].column, 0);
        EXPECT_EQ(book.pictures()[0].image.size(), size);
        EXPECT_EQ(book.pictures()[0].image.pixelColor(3, 3), QColor(Qt::blue));
    }
    exporter.ImagemCabecalho = QImage();
}

TEST_F(VarnikExportTest, FurtherGridsFollowWithAnEmptyRowBetween) {
    GridBuilder a, b;
    a.field(QStringLiteral("Nome"), Kind::Text, -1, QString(), 10);
    a.row({QStringLiteral("um")});
    b.field(QStringLiteral("Outro"), Kind::Text, -1, QString(), 10);
    b.row({QStringLiteral("dois")});
    components.grids[QStringLiteral("Segunda")] = &b.grid();
    exporter.GridExportado = &a.grid();
    exporter.GridsAdicionais = {QStringLiteral("Inexistente"), QStringLiteral("Segunda")};
    exporter.TotalizaNumeros = true;
    run();
    EXPECT_EQ(value("A1"), QStringLiteral("T Nome"));
    EXPECT_EQ(value("A2"), QStringLiteral("um"));
    // Row 3 closes the first grid; the unknown name leaves rows 4 and 5 empty.
    EXPECT_EQ(value("A6"), QStringLiteral("T Outro"));
    EXPECT_EQ(value("A7"), QStringLiteral("dois"));
    EXPECT_EQ(exporter.workbook()->rowCount(), 7);
    EXPECT_TRUE(recorder.errors.isEmpty());
    EXPECT_FALSE(exporter.TotalizaNumeros);
    EXPECT_EQ(exporter.GridExportado, &a.grid());
}

TEST_F(VarnikExportTest, FlatTitlesSkipHiddenColumnsAndKeepDefaultColours) {
    GridBuilder builder(false);
    builder.field(QStringLiteral("Um"), Kind::Text, -1, QString(), 5);
    builder.field(QStringLiteral("Dois"), Kind::Text, -1, QString(), 5);
    builder.field(QStringLiteral("Tres"), Kind::Text, -1, QString(), 5);
    builder.hide(QStringLiteral("Dois"));
    builder.grid().columns[0].titleColor = 255;
    builder.grid().columns[2].titleFontColor = 128;
    exporter.GridExportado = &builder.grid();

    for (bool cores : {false, true}) {
        exporter.ExportarCores = cores;
        const MemoryWorkbook &book = run();
        EXPECT_EQ(value("A1"), QStringLiteral("T Um"));
        EXPECT_EQ(value("B1"), QStringLiteral("T Tres"));
        EXPECT_EQ(cell("C1"), nullptr);
        EXPECT_TRUE(cell("A1")->bold);
        EXPECT_EQ(book.columnWidth(0), 6); // "T Um" + 2
        EXPECT_EQ(cell("A1")->fill, cores ? std::optional<int>(255) : std::nullopt);
        EXPECT_EQ(cell("B1")->fill, std::nullopt); // painted in the button face: the sheet's default
        EXPECT_EQ(cell("B1")->fontColor, cores ? std::optional<int>(128) : std::nullopt);
    }
}

TEST_F(VarnikExportTest, FlatRowsNumbersDatesAndTexts) {
    GridBuilder builder(false);
    builder.field(QStringLiteral("Nome"), Kind::Text, -1, QString(), 20);
    builder.field(QStringLiteral("Valor"), Kind::Float, -1, QStringLiteral("###,##0"));
    builder.field(QStringLiteral("Data"), Kind::Date);
    builder.field(QStringLiteral("Texto"), Kind::Text, -1, QString(), 12);
    builder.row({QStringLiteral("Recife"), 1234.5, QDate(2000, 8, 1), QStringLiteral("1.234,5")});
    builder.row({QStringLiteral("Olinda"), QVariant(), QDate(1899, 5, 3), QStringLiteral("02/03/2001")});
    exporter.GridExportado = &builder.grid();

    for (bool sepDefault : {false, true}) {
        exporter.SepDecimalDefault = sepDefault;
        const MemoryWorkbook &book = run();
        EXPECT_EQ(value("A2"), QStringLiteral("Recife"));
        EXPECT_EQ(value("B2"), 1234.5);
        // Typed as "###.##0" in the user's format, kept as "###,##0"; passed
        // unchanged, the comma is taken as the user's decimal separator.
        EXPECT_EQ(cell("B2")->numberFormat, sepDefault ? QStringLiteral("###.##0") : QStringLiteral("###,##0"));
        EXPECT_EQ(value("B3"), 0.0); // an empty figure counts as 0
        EXPECT_EQ(value("C2"), QDateTime(QDate(2000, 8, 1), QTime(0, 0)));
        EXPECT_EQ(value("C3"), QStringLiteral("03/05/1899")); // before 1900: its text
        // A number text goes in the automation's format and is read as the number.
        EXPECT_EQ(value("D2"), sepDefault ? QVariant(QStringLiteral("1.234,5")) : QVariant(1234.5));
        EXPECT_EQ(value("D3"), QDateTime(QDate(2001, 3, 2), QTime(0, 0)));
        EXPECT_EQ(book.columnWidth(0), 24); // text of 20: 21 bytes + 3
        EXPECT_EQ(book.columnWidth(1), 11);
        EXPECT_EQ(book.columnWidth(2), 7);
    }
}

TEST_F(VarnikExportTest, EmptyTableLeavesOneEmptyRowBelowItsTitles) {
    GridBuilder builder(false);
    builder.field(QStringLiteral("Nome"), Kind::Text);
    exporter.GridExportado = &builder.grid();
    exporter.Rodape = {QStringLiteral("Fonte")};
    run();
    EXPECT_EQ(value("A1"), QStringLiteral("T Nome"));
    EXPECT_EQ(cell("A2"), nullptr);
    EXPECT_EQ(cell("A3"), nullptr);
    EXPECT_EQ(value("A4"), QStringLiteral("Fonte"));
}

// The nested titles: for each case the fields in definition order (name,
// parent), and the cells expected in the title rows, with the merges.
TEST_F(VarnikExportTest, NestedTitlesMergeGroupsOverTheirMembers) {
    struct Def {
        const char *name;
        int parent;
        Kind kind;
    };
    const struct {
        const char *what;
        std::vector<Def> fields;
        std::vector<const char *> hidden;
        std::map<QString, QString> cells;
        std::vector<MemoryWorkbook::Merge> merges;
        int firstDataRow;
    } cases[] = {
        {"a group of two after a hidden field",
         {{"Regiao", -1, Kind::Text}, {"Tipo_Registro", -1, Kind::Integer}, {"P", -1, Kind::Float},
          {"G", -1, Kind::Group}, {"A", 3, Kind::Float}, {"B", 3, Kind::Float}},
         {"Tipo_Registro"},
         {{"A1", "T Regiao"}, {"B1", "T P"}, {"C1", "T G"}, {"C2", "T A"}, {"D2", "T B"}},
         {{0, 2, 0, 3}},
         3},
        {"a group ending in a group of two",
         {{"G", -1, Kind::Group}, {"X", 0, Kind::Float}, {"H", 0, Kind::Group}, {"Y", 2, Kind::Float},
          {"Z", 2, Kind::Float}, {"N", -1, Kind::Float}},
         {},
         {{"A1", "T G"}, {"A2", "T X"}, {"B2", "T H"}, {"B3", "T Y"}, {"C3", "T Z"}, {"D1", "T N"}},
         {{1, 1, 1, 2}, {0, 0, 0, 2}},
         4},
        {"a group of groups of three and two",
         {{"G", -1, Kind::Group}, {"H", 0, Kind::Group}, {"A", 1, Kind::Float}, {"B", 1, Kind::Float},
          {"C", 1, Kind::Float}, {"I", 0, Kind::Group}, {"D", 5, Kind::Float}, {"E", 5, Kind::Float}},
         {},
         {{"A1", "T G"}, {"A2", "T H"}, {"D2", "T I"}, {"A3", "T A"}, {"B3", "T B"}, {"C3", "T C"},
          {"D3", "T D"}, {"E3", "T E"}},
         {{1, 0, 1, 2}, {1, 3, 1, 4}, {0, 0, 0, 4}},
         4},
        {"groups at the top level only",
         {{"G", -1, Kind::Group}, {"A", 0, Kind::Float}, {"H", -1, Kind::Group}, {"B", 2, Kind::Float},
          {"C", 2, Kind::Float}},
         {},
         {{"A1", "T G"}, {"A2", "T A"}, {"B1", "T H"}, {"B2", "T B"}, {"C2", "T C"}},
         {{0, 1, 0, 2}},
         3},
    };
    for (const auto &c : cases) {
        GridBuilder builder;
        QVariantList values;
        for (const Def &d : c.fields)
            builder.field(QString::fromLatin1(d.name), d.kind, d.parent);
        for (const char *hidden : c.hidden)
            builder.hide(QString::fromLatin1(hidden));
        builder.grid().rows.push_back(std::vector<QVariant>(c.fields.size(), QVariant(1.0)));
        exporter.GridExportado = &builder.grid();
        const MemoryWorkbook &book = run();

        int titleCells = 0;
        for (int row = 1; row < c.firstDataRow; ++row)
            for (int column = 0; column < 8; ++column) {
                const QString address = QString(QChar(u'A' + column)) + QString::number(row);
                const auto expected = c.cells.find(address);
                if (expected == c.cells.end()) {
                    EXPECT_EQ(book.cell(address), nullptr) << c.what << " " << address.toStdString();
                    continue;
                }
                ++titleCells;
                EXPECT_EQ(book.value(address), expected->second) << c.what << " " << address.toStdString();
                EXPECT_TRUE(book.cell(address)->bold);
            }
        EXPECT_EQ(titleCells, static_cast<int>(c.cells.size())) << c.what;
        ASSERT_EQ(book.merges().size(), c.merges.size()) << c.what;
        for (size_t i = 0; i < c.merges.size(); ++i) {
            const MemoryWorkbook::Merge &m = book.merges()[i];
            EXPECT_EQ(std::tie(m.firstRow, m.firstColumn, m.lastRow, m.lastColumn),
                      std::tie(c.merges[i].firstRow, c.merges[i].firstColumn, c.merges[i].lastRow,
                               c.merges[i].lastColumn))
                << c.what << " merge " << i;
        }
        // The first value of the row stands right below the title block.
        EXPECT_EQ(book.value(QStringLiteral("A%1").arg(c.firstDataRow)).isValid(), true) << c.what;
        EXPECT_EQ(book.rowCount(), c.firstDataRow) << c.what;
    }
}

TEST_F(VarnikExportTest, NestedRowsOverTheResultTable) {
    ResultTable table;
    const int regiao = table.addField(QStringLiteral("Regiao"), FieldKind::Text, 40);
    const int tipo = table.addField(QStringLiteral("Tipo_Registro"), FieldKind::Integer);
    const int grupo = table.addField(QStringLiteral("G1"), FieldKind::Group);
    const int total = table.addField(QStringLiteral("B4"), FieldKind::Float, 0, grupo);
    const int percentual = table.addField(QStringLiteral("B2"), FieldKind::Float, 0, grupo);
    table.createDataSet();
    table.field(regiao).setDisplayLabel(QStringLiteral("Região"));
    table.field(tipo).setVisible(false);
    table.field(grupo).setDisplayLabel(QStringLiteral("Domicílios"));
    table.field(total).setDisplayFormat(QStringLiteral("###,##0"));
    table.field(percentual).setDisplayFormat(QStringLiteral("##0.00"));
    const struct {
        const char *regiao;
        double total, percentual;
    } rows[] = {{"Nordeste", 2564.5, 8.55}, {"TOTAL", 2864.5, 25}};
    for (const auto &r : rows) {
        table.append();
        table.setText(regiao, QString::fromUtf8(r.regiao));
        table.setInteger(tipo, 5);
        table.setFloat(total, r.total);
        table.setFloat(percentual, r.percentual);
    }
    const ExportGrid grid = ExportGrid::fromResultTable(table);
    exporter.GridExportado = &grid;
    const MemoryWorkbook &book = run();

    EXPECT_EQ(value("A1"), QStringLiteral("Região"));
    EXPECT_EQ(value("B1"), QStringLiteral("Domicílios"));
    EXPECT_EQ(cell("B1")->alignment, SheetAutomation::xlCenter);
    EXPECT_EQ(value("B2"), QStringLiteral("B4"));
    EXPECT_EQ(value("C2"), QStringLiteral("B2"));
    EXPECT_EQ(value("A3"), QStringLiteral("Nordeste"));
    EXPECT_EQ(value("B3"), 2564.5);
    EXPECT_EQ(value("C3"), 8.55);
    EXPECT_EQ(value("A4"), QStringLiteral("TOTAL"));
    EXPECT_EQ(value("B4"), 2864.5);
    EXPECT_EQ(cell("B4")->numberFormat, QStringLiteral("###,##0"));
    EXPECT_EQ(cell("C4")->numberFormat, QStringLiteral("##0.00"));
    EXPECT_EQ(cell("D3"), nullptr); // the group takes no column
    EXPECT_EQ(book.columnWidth(0), 44);
    EXPECT_EQ(book.columnWidth(1), 11);
    EXPECT_EQ(book.columnWidth(2), 11);
}

TEST_F(VarnikExportTest, NestedValueKeepsItsColumnWhenItsCellStaysEmpty) {
    GridBuilder builder;
    const int g = builder.field(QStringLiteral("G"), Kind::Group);
    builder.field(QStringLiteral("Quando"), Kind::Date, g);
    builder.field(QStringLiteral("Quanto"), Kind::Float, g);
    builder.row({QVariant(), QDate(1850, 1, 1), 7.0});
    exporter.GridExportado = &builder.grid();
    run();
    EXPECT_EQ(value("A2"), QStringLiteral("T Quando"));
    EXPECT_EQ(value("B2"), QStringLiteral("T Quanto"));
    EXPECT_TRUE(value("A3").isNull());
    EXPECT_EQ(value("B3"), 7.0);
}

TEST_F(VarnikExportTest, StringGridTitlesNumbersAndTexts) {
    ExportGrid grid;
    grid.kind = ExportGrid::Kind::String;
    grid.cells = {{QStringLiteral("Local"), QStringLiteral("Valor"), QStringLiteral("Código")},
                  {QStringLiteral("Recife"), QStringLiteral("1.234,56"), QStringLiteral("2611606")}};
    grid.columnWidths = {80, 64, 70};
    exporter.GridExportado = &grid;
    const MemoryWorkbook &book = run();

    EXPECT_EQ(value("A1"), QStringLiteral("Local"));
    EXPECT_EQ(value("C1"), QStringLiteral("Código"));
    for (const char *title : {"A1", "B1", "C1"})
        EXPECT_TRUE(cell(title)->bold);
    EXPECT_EQ(value("A2"), QStringLiteral("Recife"));
    EXPECT_EQ(value("B2"), 1234.56);
    EXPECT_EQ(cell("B2")->numberFormat, QStringLiteral("###,###,##0.00"));
    EXPECT_EQ(value("C2"), 2611606.0);
    EXPECT_TRUE(cell("C2")->numberFormat.isEmpty());
    // The widths of the grid's columns in pixels, read as characters.
    EXPECT_EQ(book.columnWidth(0), 80);
    EXPECT_EQ(book.columnWidth(2), 70);
}

// A user whose own format has a decimal point types number formats as the
// file keeps them: the workbook gets the same formats and numbers as with the
// Brazilian format, never a point taken for the decimals of "###,##0".
TEST_F(VarnikExportTest, PointDecimalFormatGivesTheSameFormatsAndNumbers) {
    const QLocale testsLocale;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ScopeGuard restore([&] { QLocale::setDefault(testsLocale); });

    GridBuilder builder(false);
    builder.field(QStringLiteral("Valor"), Kind::Float, -1, QStringLiteral("###,##0"));
    builder.field(QStringLiteral("Percentual"), Kind::Float, -1, QStringLiteral("##0.00"));
    builder.field(QStringLiteral("Texto"), Kind::Text, -1, QString(), 12);
    builder.row({1234.5, 8.55, QStringLiteral("1,234.5")});
    ExportGrid strings;
    strings.kind = ExportGrid::Kind::String;
    strings.cells = {{QStringLiteral("Valor")}, {QStringLiteral("1,234.56")}, {QStringLiteral("2.5")}};
    components.grids[QStringLiteral("valores")] = &strings;
    exporter.GridExportado = &builder.grid();
    exporter.GridsAdicionais = {QStringLiteral("valores")};
    run();

    EXPECT_EQ(value("A2"), 1234.5);
    EXPECT_EQ(cell("A2")->numberFormat, QStringLiteral("###,##0"));
    EXPECT_EQ(cell("B2")->numberFormat, QStringLiteral("##0.00"));
    EXPECT_EQ(value("C2"), 1234.5);
    // The string grid after one empty row: its title in row 4.
    EXPECT_EQ(value("A5"), 1234.56);
    EXPECT_EQ(cell("A5")->numberFormat, QStringLiteral("###,###,##0.00"));
    EXPECT_EQ(value("A6"), 2.5);
    EXPECT_EQ(cell("A6")->numberFormat, QStringLiteral("###,###,##0.0"));
}

TEST_F(VarnikExportTest, PivotGridWritesItsFixedCellsAsRows) {
    ExportGrid grid;
    grid.kind = ExportGrid::Kind::Pivot;
    grid.fixedRows = 1;
    grid.fixedColumns = 1;
    grid.defaultColumnWidth = 10;
    grid.cells = {{QString(), QStringLiteral("2000")}, {QStringLiteral("Norte"), QStringLiteral("12,5")}};
    exporter.GridExportado = &grid;
    const MemoryWorkbook &book = run();
    // No title row: its fixed row follows the grid's first (empty) row.
    EXPECT_EQ(cell("A1"), nullptr);
    EXPECT_EQ(value("B2"), 2000.0);
    EXPECT_EQ(value("A3"), QStringLiteral("Norte"));
    EXPECT_EQ(value("B3"), 12.5);
    EXPECT_EQ(cell("B3")->numberFormat, QStringLiteral("###,###,##0.0"));
    EXPECT_EQ(book.columnWidth(1), 12);
}

TEST_F(VarnikExportTest, TotalsRowSumsTheListedColumns) {
    GridBuilder builder(false);
    builder.field(QStringLiteral("Nome"), Kind::Text);
    builder.field(QStringLiteral("Qtd"), Kind::Float);
    builder.field(QStringLiteral("Outra"), Kind::Integer);
    builder.row({QStringLiteral("a"), 1.0, 10}).row({QStringLiteral("b"), 2.0, 20}).row({QStringLiteral("c"), 3.5, 30});
    exporter.GridExportado = &builder.grid();
    exporter.TotalizaNumeros = true;
    exporter.LinhasImagem = 10; // titles in row 9, values in rows 10 to 12

    const struct {
        QStringList columns;
        QVariant b, c;
    } cases[] = {
        {{QStringLiteral("2")}, 7.0, QVariant()}, // 1 + 2 + 4 (3.5 to the even neighbour)
        {{QStringLiteral("Qtd"), QStringLiteral("3")}, 7.0, 60.0},
        {{QStringLiteral("Nome")}, QVariant(), QVariant()}, // not a number column
    };
    for (const auto &c : cases) {
        exporter.ColunasTotais = c.columns;
        run();
        EXPECT_EQ(value("A13"), QStringLiteral("TOTAL -> "));
        EXPECT_EQ(cell("A13")->fontColor, 255);
        EXPECT_TRUE(cell("A13")->bold);
        EXPECT_EQ(value("B13"), c.b) << c.columns.join(u',').toStdString();
        EXPECT_EQ(value("C13"), c.c) << c.columns.join(u',').toStdString();
    }
}

TEST_F(VarnikExportTest, TotalsRowWithoutAnyNumberHoldsOnlyItsLabel) {
    GridBuilder builder(false);
    builder.field(QStringLiteral("Nome"), Kind::Text);
    builder.row({QStringLiteral("a")});
    exporter.GridExportado = &builder.grid();
    exporter.TotalizaNumeros = true;
    exporter.ColunasTotais = {QStringLiteral("1")};
    run();
    EXPECT_EQ(value("A3"), QStringLiteral("TOTAL -> "));
    EXPECT_EQ(cell("B3"), nullptr);
}

TEST_F(VarnikExportTest, ChartsArePastedBelowEachOther) {
    components.charts[QStringLiteral("Primeiro")] = picture(300, 380);
    // Larger than an image file reader takes: no scratch file stands between.
    components.charts[QStringLiteral("Segundo")] = picture(6000, 6000);
    exporter.ExportarGraficos = {QStringLiteral("Primeiro"), QStringLiteral("Sumido"), QStringLiteral("Segundo")};
    const MemoryWorkbook &book = run();

    ASSERT_EQ(book.pictures().size(), 2u);
    // Rows 1 and 2 are the place of the (missing) grid and its empty row.
    EXPECT_EQ(book.pictures()[0].row, 2);
    // The missing chart took one row; the second comes one row later and
    // 380 / 38 * 2.1 = 21 rows (a whole number: one more) further down.
    EXPECT_EQ(book.pictures()[1].row, 2 + 1 + 1 + 22);
    EXPECT_EQ(book.pictures()[1].image.size(), QSize(6000, 6000));
    EXPECT_EQ(recorder.errors, QStringList{QStringLiteral("Erro ao tentar localizar o Gráfico \"Sumido\", Verifique!")});
}

TEST_F(VarnikExportTest, SavedOnlyUnderAWorkbookName) {
    QTemporaryDir dir;
    for (const char *name : {"a.Xlsx", "b.xls", "c.XLS", "d.Txt"}) {
        exporter.Hint = dir.filePath(QString::fromLatin1(name));
        run();
        EXPECT_EQ(QFileInfo::exists(exporter.Hint), !QString::fromLatin1(name).endsWith(QLatin1String("Txt")))
            << name;
    }
}

TEST_F(VarnikExportTest, FailedSaveRaisesAndHidesTheWaitWindow) {
    QTemporaryDir dir;
    exporter.Hint = dir.filePath(QStringLiteral("falta/pasta.xlsx"));
    EXPECT_THROW(exporter.Exporta(), AppError);
    EXPECT_TRUE(recorder.shown.last().isEmpty());
}

} // namespace
