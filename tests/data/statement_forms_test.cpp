// Every statement form the windows compose, line by line as they write them,
// run against a small study, checking the rows and their order.
#include "base/data/access_dialect.h"
#include "base/data/database.h"
#include "base/data/portuguese_collation.h"
#include "base/data/query.h"
#include "support/fixture_database.h"
#include "support/study_fixture.h"

#include <gtest/gtest.h>

namespace {

struct StatementCase {
    const char *name;
    QStringList lines;
    QString column;
    QStringList expected;
};

QStringList column(Query &q, const QString &name) {
    QStringList values;
    for (q.first(); !q.eof(); q.next())
        values << q.fieldByName(name).asString();
    return values;
}

const QString kDemaisState = QStringLiteral(
    " where ((Municipio <> 999999) or ((Municipio = 999999) and (Micro_Regiao = 0) and (Unidade_Federativa > 0) and "
    "(Regiao > 0)))");

std::vector<StatementCase> cases() {
    using S = QStringList;
    return {
        {"topic tree, top level",
         S{"select Nivel_Informacao, Descricao", "  From Nivel_Informacao", " where Len(Nivel_Informacao) = 2",
           "order by Nivel_Informacao"},
         "Nivel_Informacao", S{"01", "02", "03"}},
        {"topic tree, children of 01",
         S{"select Nivel_Informacao, Descricao", "  From Nivel_Informacao", " where Len(Nivel_Informacao) = 5",
           "   and Left(Nivel_Informacao,2) = '01'", "order by Nivel_Informacao"},
         "Nivel_Informacao", S{"01.01", "01.02"}},
        {"region list with its constant row",
         S{"Select Pais, Regiao, Sigla, Descricao", "From Regiao", "Union All",
           "Select 1 as Pais, 0 as Regiao, '<Todas>' as Sigla, '<Todas>' as Descricao", "From Pais",
           "Order By Regiao"},
         "Descricao", S{"<Todas>", "Norte", "Nordeste"}},
        {"state list of a region, distinct",
         S{"Select distinct Pais, Regiao, Unidade_Federativa, Sigla, Descricao", "From Unidade_Federativa",
           " Where Regiao = 2", "Union All",
           "Select 1 as Pais, 0 as Regiao, 0 as Unidade_Federativa, '<Todas>' as Sigla, '<Todas>' as Descricao",
           "From Pais", "Order By Descricao"},
         "Descricao", S{"<Todas>", "Alagoas", "Pernambuco"}},
        {"micro-region list, accents sort with their letter",
         S{"Select Pais, Regiao, Unidade_Federativa, Micro_Regiao, Sigla, Descricao", "From Micro_Regiao",
           "Union All",
           "Select 1 as Pais, 0 as Regiao, 0 as Unidade_Federativa, 0 as Micro_Regiao, '<Todas>' as Sigla, "
           "'<Todas>' as Descricao",
           "From Pais", "Order By Descricao"},
         "Descricao", S{"<Todas>", "Maceió", "Óbidos", "Recife"}},
        {"metropolitan regions over several rows, distinct",
         S{"Select distinct Regiao_Metropolitana, Sigla, Descricao", "From Regiao_Metropolitana", "Union All",
           "Select 0 as Regiao_Metropolitana, '<Todas>' as Sigla, '<Todas>' as Descricao", "From Pais",
           "Order By Descricao", ""},
         "Descricao", S{"<Todas>", "RM de Recife"}},
        {"municipality list, case and accents do not move a name",
         S{"Select Municipio, Sigla, Descricao", "From Municipio",
           "where Populacao_Cidade >= 20000 and Municipio <> 999999", "Union All",
           "Select 0 as Municipio, '<Todos>' as Sigla, '<Todos>' as Descricao", "From Pais", "Order By Descricao",
           ""},
         "Descricao", S{"<Todos>", "abaetetuba", "Jaboatão", "Maceió", "Óbidos", "Recife"}},
        {"municipalities of a metropolitan region in a state",
         S{"Select Municipio, Sigla, Descricao", "From Municipio", " where Unidade_Federativa = 27",
           "   and Regiao_Metropolitana = 1", "Union All",
           "Select 0 as Municipio, '<Todos>' as Sigla, '<Todos>' as Descricao", "From Pais", "Order By Descricao"},
         "Descricao", S{"<Todos>", "Maceió"}},
        {"picker: states of a region",
         S{"Select Pais, Regiao, Unidade_Federativa, Sigla, Descricao", "  From Unidade_Federativa",
           " where Regiao = 2", "Order By Descricao"},
         "Sigla", S{"AL", "PE"}},
        {"picker: municipalities of a state in a micro-region",
         S{"Select Municipio, Sigla, Descricao", "From Municipio",
           " where Populacao_Cidade >= 20000 and Municipio <> 999999", "   and Micro_Regiao = 26001",
           "   and Unidade_Federativa = 26", "Order By Descricao"},
         "Descricao", S{"Jaboatão", "Recife"}},
        {"attribute catalogue",
         S{"select Atributo, Descricao_Atributo, Tipo_Atributo, Formula_Percentual_Total, "
           "Atributo_Pesquisa_Rustico",
           "  from Nome_Atributos_Tab_Valor", " where Tabela = '010101'", "order by Atributo"},
         "Atributo", S{"A01", "A02"}},
        {"value query grouped by region: totals after what they sum",
         S{"select DRegiao,", "       DUnidade_Federativa,", "       DMicro_Regiao,", "       DRegiao_Metropolitana,",
           "       DMunicipio,", "       Tipo_Registro,", "A01,", "A02", "  from 010101",
           " where ((Tipo_Registro = 5) or (Tipo_Registro = 6))", " Order By  DRegiao,  Tipo_Registro"},
         "DRegiao", S{"Nordeste", "Norte", "ZZ"}},
        {"value query by municipality with the state's DEMAIS line",
         S{"select DRegiao,", "       DUnidade_Federativa,", "       DMicro_Regiao,", "       DRegiao_Metropolitana,",
           "       DMunicipio,", "       Tipo_Registro,", "A01", "  from 010101", kDemaisState,
           "   and ((Tipo_Registro = 1) or (Tipo_Registro = 4))",
           "   and ((Populacao_Cidade >= 20000) or ((Populacao_Cidade < 20000) and (Tipo_Registro <> 1)) or "
           "(Municipio = 999999))",
           " Order By  DRegiao,  DUnidade_Federativa,  DMicro_Regiao,  DRegiao_Metropolitana,  DMunicipio,  "
           "Tipo_Registro"},
         "DMunicipio", S{"Recife", "ZZDEMAIS MUNICÍPIOS", "abaetetuba", "Óbidos", "ZZZ"}},
        {"value query with a picked list and a population band",
         S{"select DMunicipio, Municipio", "  from 010101", " where ((Populacao_Cidade >= 30000) or (Municipio = 999999))",
           "   and ((Populacao_Cidade <= 2000000) or (Municipio = 999999))",
           "   and Municipio in (2611606,1500107,999999)", " Order By  DMunicipio,  Tipo_Registro"},
         "Municipio", S{"1500107", "2611606", "999999"}},
        {"the municipality list topic 03",
         S{"select DRegiao,", "       DUnidade_Federativa,", "       DMicro_Regiao,", "       DRegiao_Metropolitana,",
           "       DMunicipio,", "       Municipio,", "       Populacao_Cidade", "  from 03",
           " Order By DRegiao, DUnidade_Federativa, DMicro_Regiao, DMunicipio, DRegiao_Metropolitana"},
         "DMunicipio", S{"Recife", "Óbidos"}},
        {"state name looked up by its abbreviation",
         S{"select Descricao From Unidade_Federativa where Sigla = 'PE'"}, "Descricao", S{"Pernambuco"}},
        {"topic title, mixed-case keywords",
         S{"SELECT Descricao", "  FROM Nivel_Informacao", " WHERE Nivel_Informacao = '01.01.01'"}, "Descricao",
         S{"Déficit por componente"}},
    };
}

} // namespace

TEST(StatementForms, RunAsComposedWithRowsInOrder) {
    FixtureDatabase fixture(studyFixtureSql());
    Database db;
    db.setPath(fixture.path());
    db.setConnected(true);
    for (const StatementCase &c : cases()) {
        SCOPED_TRACE(c.name);
        Query q(db);
        q.sql() = c.lines;
        ASSERT_NO_THROW(q.open());
        EXPECT_EQ(column(q, c.column), c.expected);
    }
}

TEST(StatementForms, MaximumOfAValueColumn) {
    FixtureDatabase fixture(studyFixtureSql());
    Database db;
    db.setPath(fixture.path());
    db.setConnected(true);
    Query q(db);
    q.sql() << QStringLiteral("select Max(A02) as Maior_Valor") << QStringLiteral("  from 010101")
            << QStringLiteral(" where Regiao = 2") << QStringLiteral("   and ((Tipo_Registro = 1) )")
            << QStringLiteral(" and Municipio <> 999999");
    q.open();
    EXPECT_DOUBLE_EQ(q.fieldByName(QStringLiteral("Maior_Valor")).asFloat(), 100.0);
}

TEST(AccessDialect, RewritesOnlyOutsideLiterals) {
    const struct {
        const char *in;
        const char *out;
    } table[] = {
        {"select Left(a,2) from 03", "select acc_left(a,2) from \"03\""},
        {"select 'Left(x' from t where a = 'from 03'", "select 'Left(x' from t where a = 'from 03'"},
        {"select a from t LEFT JOIN u on 1", "select a from t LEFT JOIN u on 1"},
        {"select a from 010101x", "select a from 010101x"},
        {"select a from \"03\"", "select a from \"03\""},
        {"select a from t Order By a, b desc", "select a from t Order By a COLLATE PTBR, b COLLATE PTBR desc"},
        {"select a from t where b = 'order by x'", "select a from t where b = 'order by x'"},
        {"select a from t\n Order By \n DRegiao, \n Tipo_Registro",
         "select a from t\n Order By \n DRegiao COLLATE PTBR, \n Tipo_Registro COLLATE PTBR"},
    };
    for (const auto &row : table)
        EXPECT_EQ(AccessDialect::toSqlite(QString::fromUtf8(row.in)), QString::fromUtf8(row.out)) << row.in;
}

TEST(PortugueseCollation, OrdersAsAReaderExpects) {
    // Each text must sort strictly before the next; texts that begin alike
    // differ where their letters do, accented or not.
    const char *ordered[] = {"<Todas>",      "abaetetuba",    "Abreu",     "Água Boa", "Aguaí",
                             "Cáceres",      "Caxias",        "Caxias do Sul", "Óbidos", "Olinda",
                             "Santana",      "Santo Ângelo",  "Santo Antônio", "São Paulo", "Zé Doca",
                             "ZZ",           "ZZDEMAIS MUNICÍPIOS", "ZZZ"};
    for (size_t i = 0; i + 1 < std::size(ordered); ++i) {
        EXPECT_LT(PortugueseCollation::compare(ordered[i], ordered[i + 1]), 0) << ordered[i] << " / " << ordered[i + 1];
        EXPECT_GT(PortugueseCollation::compare(ordered[i + 1], ordered[i]), 0);
    }
    EXPECT_EQ(PortugueseCollation::compare("Pará", "Pará"), 0);
    EXPECT_NE(PortugueseCollation::compare("Para", "Pará"), 0); // a total order
    // Broken UTF-8 compares byte by byte, consistently both ways.
    EXPECT_EQ(PortugueseCollation::compare("\xff\xfe", "A"), -PortugueseCollation::compare("A", "\xff\xfe"));
}
