#include "base/data/app_error.h"
#include "base/table/attribute_line.h"
#include "base/table/query_builder.h"
#include "base/table/topic_code.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

namespace {

const QString kDemais = QStringLiteral(
    "((Municipio <> 999999) or ((Municipio = 999999) and (Micro_Regiao = 0) and (Unidade_Federativa %1) and "
    "(Regiao %2)))");
const QString kVinteMil = QStringLiteral(
    "((Populacao_Cidade >= 20000) or ((Populacao_Cidade < 20000) and (Tipo_Registro <> 1)) or (Municipio = 999999))");

QString kinds(int d, int s) { return QStringLiteral("((Tipo_Registro = %1) or (Tipo_Registro = %2))").arg(d).arg(s); }

QStringList attributes() {
    return {AttributeLine{"AGREGADA", "A01", "Déficit", "A01", "", "N"}.text(),
            AttributeLine{"VALOR", "A01.A02", "Total", "A02", "", "N"}.text(),
            AttributeLine{"VALOR", "A03", "Outro", "A03", "x", "S"}.text()};
}

const QStringList kHeader = {"select DRegiao,",
                             "       DUnidade_Federativa,",
                             "       DMicro_Regiao,",
                             "       DRegiao_Metropolitana,",
                             "       DMunicipio,",
                             "       Tipo_Registro,",
                             "A02,",
                             "A03",
                             "  from 010101"};

SelectionState band(SelectionState s, qint64 from, qint64 to) {
    s.faixaInicial = from;
    s.faixaFinal = to;
    return s;
}

SelectionState picked(SelectionState s, QStringList entries) {
    s.municipiosSelecionados = std::move(entries);
    return s;
}

struct Case {
    const char *name;
    SelectionState state;
    QStringList tail; // the lines after "  from"
    int totalKind;
};

TEST(QueryBuilderTest, StatementOfEveryGroupingAndFilter) {
    const Case cases[] = {
        {"regiao", selection(0), {" where " + kinds(5, 6), " Order By  DRegiao,  Tipo_Registro"}, 6},
        {"regiao, only the upper limit",
         band(selection(0), 0, 50000),
         {" where ((Populacao_Cidade <= 50000) or (Municipio = 999999))", "   and " + kinds(5, 6),
          " Order By  DRegiao,  Tipo_Registro"},
         6},
        {"regiao, both limits",
         band(selection(0), 1000, 50000),
         {" where ((Populacao_Cidade >= 1000) or (Municipio = 999999))",
          "   and ((Populacao_Cidade <= 50000) or (Municipio = 999999))", "   and " + kinds(5, 6),
          " Order By  DRegiao,  Tipo_Registro"},
         6},
        {"regiao, a region",
         selection(0, 2),
         {" where Regiao = 2", "   and " + kinds(5, 6), " Order By  Tipo_Registro"},
         6},
        {"uf", selection(1), {" where " + kinds(4, 6), " Order By  DRegiao,  DUnidade_Federativa,  Tipo_Registro"}, 6},
        {"uf, a region",
         selection(1, 2),
         {" where Regiao = 2", "   and " + kinds(4, 5), " Order By  DUnidade_Federativa,  Tipo_Registro"},
         5},
        {"microrregiao",
         selection(2),
         {" where " + kinds(3, 4), " Order By  DRegiao,  DUnidade_Federativa,  DMicro_Regiao,  Tipo_Registro"},
         4},
        {"microrregiao, a state",
         selection(2, 2, 26),
         {" where Regiao = 2", "   and Unidade_Federativa = 26", "   and " + kinds(3, 4),
          " Order By  DMicro_Regiao,  Tipo_Registro"},
         4},
        {"rm",
         selection(3),
         {" where " + kinds(2, 43), " Order By  DRegiao_Metropolitana,  DRegiao,  DUnidade_Federativa,  Tipo_Registro"},
         43},
        {"rm, picked municipalities",
         picked(selection(3), {"Maceió/2704302", "Recife/2611606"}),
         {" where " + kinds(2, 43), "   and Municipio in (2704302,2611606)",
          " Order By  DRegiao_Metropolitana,  DRegiao,  DUnidade_Federativa,  Tipo_Registro"},
         43},
        {"municipio",
         selection(4),
         {" where " + kDemais.arg("= 0", "= 0"), "   and " + kinds(1, 6), "   and " + kVinteMil,
          " Order By  DRegiao,  DUnidade_Federativa,  DMunicipio,  Tipo_Registro"},
         6},
        {"municipio, a region",
         selection(4, 2),
         {" where Regiao = 2", "    and " + kDemais.arg("= 0", "> 0"), "   and " + kinds(1, 5), "   and " + kVinteMil,
          " Order By  DUnidade_Federativa,  DMunicipio,  Tipo_Registro"},
         5},
        {"municipio, a state",
         selection(4, 0, 26),
         {" where Unidade_Federativa = 26", "   and " + kDemais.arg("> 0", "> 0"), "   and " + kinds(1, 4),
          "   and " + kVinteMil, " Order By  DMunicipio,  Tipo_Registro"},
         4},
        {"municipio, a micro-region",
         selection(4, 2, 26, 26001),
         {" where Regiao = 2", "   and Unidade_Federativa = 26", "   and Micro_Regiao = 26001", "   and " + kinds(1, 3),
          "   and " + kVinteMil, " Order By  DMunicipio,  Tipo_Registro"},
         3},
        {"municipio, a metropolitan region",
         selection(4, 0, 0, 0, 1),
         {" where Regiao_Metropolitana = 1", "   and " + kinds(1, 2),
          " Order By  DRegiao,  DUnidade_Federativa,  DMunicipio,  Tipo_Registro"},
         2},
        {"municipio, one municipality ignores the band",
         band(selection(4, 0, 0, 0, 0, 2611606), 100, 200),
         {" where Municipio = 2611606", "   and " + kinds(1, 1), "   and " + kVinteMil,
          " Order By  DRegiao,  DUnidade_Federativa,  DMunicipio,  Tipo_Registro"},
         6},
        {"municipio, band and picked",
         picked(band(selection(4), 20000, 0), {"Recife/2611606"}),
         {" where ((Populacao_Cidade >= 20000) or (Municipio = 999999))", "   and " + kDemais.arg("= 0", "= 0"),
          "   and " + kinds(1, 6), "   and " + kVinteMil, "   and Municipio in (2611606)",
          " Order By  DRegiao,  DUnidade_Federativa,  DMunicipio,  Tipo_Registro"},
         6},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const IndicatorStatement statement = QueryBuilder::compose(QStringLiteral("01.01.01"), c.state, attributes());
        const QStringList expected = kHeader + c.tail;
        ASSERT_EQ(statement.lines.size(), expected.size()) << statement.lines.join('\n').toStdString();
        for (qsizetype i = 0; i < expected.size(); ++i)
            EXPECT_EQ(statement.lines[i], expected[i]) << "line " << i;
        ASSERT_TRUE(statement.totalKind.has_value());
        EXPECT_EQ(*statement.totalKind, c.totalKind);
    }
}

TEST(QueryBuilderTest, MunicipalityListHasNoKindsAndKeepsTheTotalKind) {
    const IndicatorStatement statement =
        QueryBuilder::compose(QStringLiteral("03"), picked(band(selection(4, 2), 0, 30000), {"Recife/2611606"}), {});
    const QStringList expected = {"select DRegiao,",
                                  "       DUnidade_Federativa,",
                                  "       DMicro_Regiao,",
                                  "       DRegiao_Metropolitana,",
                                  "       DMunicipio,",
                                  "       Municipio,",
                                  "       Populacao_Cidade",
                                  "  from 03",
                                  " where Regiao = 2",
                                  "   and ((Populacao_Cidade <= 30000) or (Municipio = 999999))",
                                  " Order By DRegiao, DUnidade_Federativa, DMicro_Regiao, DMunicipio, "
                                  "DRegiao_Metropolitana"};
    EXPECT_EQ(statement.lines, expected);
    EXPECT_FALSE(statement.totalKind.has_value());
}

TEST(TopicCodeTest, TablesAndTableNames) {
    EXPECT_TRUE(TopicCode::isTable(QStringLiteral("01.01.01")));
    EXPECT_TRUE(TopicCode::isTable(QStringLiteral("03")));
    EXPECT_FALSE(TopicCode::isTable(QStringLiteral("01.01")));
    EXPECT_FALSE(TopicCode::isTable(QStringLiteral("01")));
    EXPECT_FALSE(TopicCode::isTable(QString()));
    EXPECT_EQ(TopicCode::tableName(QStringLiteral("01.01.01")), QStringLiteral("010101"));
    EXPECT_EQ(TopicCode::tableName(QStringLiteral("03")), QStringLiteral("03"));
}

TEST(QueryBuilderTest, PickedEntryWithoutNumericCodeIsRefused) {
    for (const char *entry : {"Recife", "Recife/", "Recife/26x", "Recife/1 or 1=1", "A/B/123"}) {
        SCOPED_TRACE(entry);
        EXPECT_THROW(QueryBuilder::compose(QStringLiteral("01.01.01"), picked(selection(0), {entry}), attributes()),
                     AppError);
    }
}

} // namespace
