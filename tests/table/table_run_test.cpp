#include "base/data/app_error.h"
#include "base/table/value_text.h"
#include "table_fixture.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// The shown leaf fields of the table, in field order.
std::vector<int> shownLeaves(const ResultTable &table) {
    std::vector<int> result;
    for (int i = 0; i < table.fieldCount(); ++i) {
        const ResultField &f = table.field(i);
        if (!f.isGroup() && f.isVisible())
            result.push_back(i);
    }
    return result;
}

// Titles, then one line per row of display texts, joined by "|".
QStringList render(const ResultTable &table) {
    QStringList lines;
    QStringList titles;
    for (int f : shownLeaves(table))
        titles << table.field(f).displayLabel();
    lines << titles.join(QLatin1Char('|'));
    for (int row = 0; row < table.recordCount(); ++row) {
        QStringList cells;
        for (int f : shownLeaves(table))
            cells << table.displayText(row, f);
        lines << cells.join(QLatin1Char('|'));
    }
    return lines;
}

class TableRunTest : public ::testing::Test, protected TableFixture {
  protected:
    bool run(const QString &topic, const SelectionState &s) { return tableRun.run(topic, s); }
};

TEST_F(TableRunTest, FillRulesOfEveryGrouping) {
    const QString values = QStringLiteral("Percentual|Amostra|Total geral");
    const struct {
        const char *name;
        QString topic;
        SelectionState state;
        QStringList table;
        int totalKind;
        const char *campoLocal;
    } cases[] = {
        {"regiao, no filter",
         "01.01.02",
         selection(0),
         {"Região|" + values, "Nordeste|28,00|1.715|2.565", "Norte|10,00|99|300", "TOTAL|25,00|1.814|2.865"},
         6,
         "Regiao"},
        {"uf, a region",
         "01.01.02",
         selection(1, 2),
         {"U.F.|" + values, "AL|25,00|x|710", "PE|30,00|1.410|1.855", "TOT.|28,00|1.715|2.565"},
         5,
         "Unidade_Federativa"},
        {"microrregiao, no filter",
         "01.01.02",
         selection(2),
         {"Região|U.F.|Microrregião|" + values, "Nordeste|AL|Maceió|25,00|305|710", "TOTAL|||25,00|x|710",
          "Nordeste|PE|Recife|30,00|1.410|1.855", "TOTAL|||30,00|1.410|1.855", "Norte|PA|Óbidos|10,00|99|300",
          "TOTAL|||10,00|30|300"},
         4,
         "Micro_Regiao"},
        {"rm, no filter",
         "01.01.02",
         selection(3),
         {"Região|U.F.|R. Metropolitana|" + values, "Nordeste||RM de Recife|30,00|1.710|2.555",
          "TOTAL|||30,00|1.710|2.555"},
         43,
         "Regiao_Metropolitana"},
        {"municipio, no filter",
         "01.01.02",
         selection(4),
         {"Região|U.F.|Município|" + values, "Nordeste|AL|Maceió|30,00|300|700", "Nordeste|PE|Jaboatão|20,00|400|600",
          "Nordeste|PE|Recife|40,00|1.000|1.235", "Norte|PA|abaetetuba|x|50|200", "Norte|PA|Óbidos|12,50|x|100",
          "||DEMAIS MUNICÍPIOS|3,00|x|30", "TOTAL|||25,00|1.814|2.865"},
         6,
         "Municipio"},
        {"municipio, a state",
         "01.01.02",
         selection(4, 0, 26),
         {"Município|" + values, "Jaboatão|20,00|400|600", "Recife|40,00|1.000|1.235", "DEMAIS MUNICÍPIOS|1,00|x|20",
          "TOTAL|30,00|1.410|1.855"},
         4,
         "Municipio"},
        {"municipality list",
         "03",
         selection(4, 0, 0),
         {"Região|U.F.|Microrregião|R. Metropolitana|Cod.Mun.|Município|População Total",
          "Nordeste|PE|Recife|RM de Recife|2611606|Recife|1.400.000", "Norte|PA|Óbidos||1505106|Óbidos|25.000"},
         4,
         "Municipio"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(run(c.topic, c.state));
        EXPECT_EQ(render(cdsDados), c.table) << render(cdsDados).join('\n').toStdString();
        EXPECT_EQ(result.totalKind(), c.totalKind);
        EXPECT_EQ(result.FCampoLocal(), QString::fromUtf8(c.campoLocal));
        EXPECT_TRUE(cdsDados.isActive());
        EXPECT_EQ(cdsDados.currentRow(), 0);
        EXPECT_FALSE(cdsDados.controlsDisabled());
        EXPECT_FALSE(result.qValorNivel().isActive());
        EXPECT_FALSE(tableRun.qAux().isActive());
        EXPECT_FALSE(result.qValorNivel().sql().isEmpty()); // the statement stays for the legend
    }
}

TEST_F(TableRunTest, FieldsCarryFormatsTagsAndWidths) {
    ASSERT_TRUE(run(QStringLiteral("01.01.02"), selection(0)));
    const ResultField &percent = cdsDados.fieldByName(QStringLiteral("B1.B2"));
    EXPECT_EQ(percent.displayFormat(), QStringLiteral("##0.00"));
    EXPECT_EQ(percent.tag(), 2);
    const ResultField &sample = cdsDados.fieldByName(QStringLiteral("B1.B3"));
    EXPECT_EQ(sample.displayFormat(), QStringLiteral("###,##0"));
    EXPECT_EQ(sample.tag(), 1);
    EXPECT_EQ(cdsDados.fieldByName(QStringLiteral("B4")).tag(), 0);
    EXPECT_EQ(cdsDados.fieldByName(QStringLiteral("B1")).displayLabel(), QStringLiteral("Domicílios rústicos"));
    EXPECT_FALSE(cdsDados.fieldByName(QStringLiteral("Pais")).isVisible());
    EXPECT_FALSE(cdsDados.fieldByName(QStringLiteral("Tipo_Registro")).isVisible());
    EXPECT_EQ(cdsDados.fieldByName(QStringLiteral("Municipio")).displayWidth(), 17);
    EXPECT_EQ(cdsDados.fieldByName(QStringLiteral("Unidade_Federativa")).size(), 4);

    ASSERT_TRUE(run(QStringLiteral("03"), selection(0)));
    EXPECT_EQ(cdsDados.fieldByName(QStringLiteral("Municipio")).displayWidth(), 20);
    EXPECT_EQ(cdsDados.fieldByName(QStringLiteral("Unidade_Federativa")).size(), 25);
    EXPECT_TRUE(result.FAtributos().isEmpty());
}

TEST_F(TableRunTest, GroupingWithoutShownTerritoryKeepsCampoLocal) {
    ASSERT_TRUE(run(QStringLiteral("01.01.02"), selection(4)));
    ASSERT_EQ(result.FCampoLocal(), QStringLiteral("Municipio"));
    ASSERT_TRUE(run(QStringLiteral("01.01.02"), selection(0, 2)));
    EXPECT_EQ(result.FCampoLocal(), QStringLiteral("Municipio"));
    EXPECT_EQ(render(cdsDados).first(), QStringLiteral("Percentual|Amostra|Total geral"));
}

TEST_F(TableRunTest, HeadingTopicOnlyEmptiesTheAttributes) {
    ASSERT_TRUE(run(QStringLiteral("01.01.02"), selection(0)));
    ASSERT_FALSE(result.FAtributos().isEmpty());
    const QStringList statement = result.qValorNivel().sql();
    bool started = false;
    EXPECT_FALSE(tableRun.run(QStringLiteral("01.01"), selection(0), {[&] { started = true; }, {}}));
    EXPECT_TRUE(result.FAtributos().isEmpty());
    EXPECT_FALSE(started);
    EXPECT_EQ(result.qValorNivel().sql(), statement);
}

TEST_F(TableRunTest, EmptyResultLeavesTheTableOpenAndShowsNotes) {
    ASSERT_TRUE(run(QStringLiteral("01.01.02"), selection(0, 9)));
    EXPECT_TRUE(cdsDados.isActive());
    EXPECT_EQ(cdsDados.recordCount(), 0);
    EXPECT_TRUE(cdsDados.eof());
    EXPECT_TRUE(result.notes().notaVisible);
}

TEST_F(TableRunTest, ProgressAndDisplayUpdates) {
    QSignalSpy resets(&cdsDados, &ResultTable::contentReset);
    QList<int> progress;
    int maximum = -1;
    const TableRun::Hooks hooks{{}, {[&](int max) { maximum = max; }, [&](int p) { progress << p; }}};
    ASSERT_TRUE(tableRun.run(QStringLiteral("01.01.02"), selection(4), hooks));
    EXPECT_EQ(maximum, 7);
    EXPECT_EQ(progress, (QList<int>{1, 2, 3, 4, 5, 6, 7}));
    // Closing and creating reset the views; the rows reach them in one reset.
    EXPECT_LE(resets.count(), 3);
}

TEST_F(TableRunTest, NotesOfTheTopic) {
    ASSERT_TRUE(run(QStringLiteral("01.01.02"), selection(4)));
    EXPECT_EQ(result.notes().lines, (QStringList{"Linha 1", "Linha 2", "Linha 3", "Linha 4"}));
    EXPECT_TRUE(result.notes().notaVisible);
    EXPECT_EQ(result.notes().notaHeight, 56);
    EXPECT_TRUE(result.notes().nota20000Visible);
    EXPECT_TRUE(result.notes().nota1Visible);
    EXPECT_EQ(tableRun.qObservacao().sql()[2], QStringLiteral("Where Nivel_Informacao = '01.01.02'"));
    EXPECT_EQ(tableRun.qObservacao().sql()[0], QStringLiteral("Select Observacao"));

    ASSERT_TRUE(run(QStringLiteral("01.01.01"), selection(0)));
    EXPECT_EQ(result.notes().notaHeight, 44);
    EXPECT_FALSE(result.notes().nota20000Visible);
    EXPECT_TRUE(result.notes().nota1Visible);

    ASSERT_TRUE(run(QStringLiteral("03"), selection(4)));
    EXPECT_FALSE(result.notes().notaVisible);
    EXPECT_FALSE(result.notes().nota1Visible);
    EXPECT_FALSE(result.notes().nota20000Visible);
}

TEST_F(TableRunTest, EngineErrorEndsTheRunAndCleansUp) {
    try {
        run(QStringLiteral("02.01.01"), selection(0));
        FAIL() << "the statement names a column the table lacks";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Z9"))) << e.what();
    }
    EXPECT_FALSE(result.qValorNivel().isActive());
    EXPECT_FALSE(tableRun.qAux().isActive());
    EXPECT_FALSE(cdsDados.controlsDisabled());
    EXPECT_TRUE(cdsDados.isActive());
    EXPECT_EQ(cdsDados.recordCount(), 0);
}

TEST(ValueTextTest, DisplayTextRules) {
    const struct {
        double v;
        int tag;
        qint64 kind;
        const char *format;
        const char *text;
    } cases[] = {
        {49, 1, 1, "###,##0", "x"},      {50, 1, 1, "###,##0", "50"},
        {30, 1, 4, "###,##0", "30"},     {0, 1, 4, "###,##0", "x"},
        {-3, 1, 4, "###,##0", "x"},      {0, 0, 1, "###,##0", "-"},
        {-2, 0, 4, "###,##0", "-"},      {1234567.4, 0, 1, "###,##0", "1.234.567"},
        {12.5, 0, 4, "##0.00", "12,50"}, {0, 0, 4, "##0.00", "-"},
        {0, 2, 4, "##0.00", "x"},        {0.004, 2, 1, "##0.00", "0,00"},
        {3.456, 2, 1, "##0.00", "3,46"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(valueText(c.v, c.tag, c.kind, QString::fromUtf8(c.format)), QString::fromUtf8(c.text))
            << c.v << " tag " << c.tag << " kind " << c.kind;
}

} // namespace
