#include "base/data/app_error.h"
#include "base/data/database.h"
#include "base/data/query.h"
#include "base/table/attribute_catalogue.h"
#include "base/table/attribute_line.h"
#include "base/table/result_table.h"
#include "support/fixture_database.h"

#include <gtest/gtest.h>

namespace {

// Catalogues of several made-up tables, one per case below, in a study
// that has no topics.
const char *kCatalogue = R"SQL(
create table Nivel_Informacao (Nivel_Informacao text, Descricao text);
create table Nome_Atributos_Tab_Valor (Tabela text, Atributo text, Descricao_Atributo text,
  Tipo_Atributo text, Formula_Percentual_Total text, Atributo_Pesquisa_Rustico text);
insert into Nome_Atributos_Tab_Valor values
  ('EX', 'a1', 'Um', 'P', '', 'N'), ('EX', 'a2', 'Dois', 'PF', '', 'N'), ('EX', 'a3', 'Três', 'F', 'a3/a4', 'S'),
  ('EX', 'a4', 'Quatro', 'F', '', 'S'), ('EX', 'a5', 'Cinco', 'PF', '', 'N'), ('EX', 'a6', 'Seis', 'P', '', 'N'),
  ('EX', 'a7', 'Sete', 'P', '', 'N'),
  ('ONE', 'x', 'Só um', 'P', '', ''),
  ('PP', 'p1', 'A', 'P', '', ''), ('PP', 'p2', 'B', 'P', '', ''),
  ('PF', 'p1', 'A', 'P', '', ''), ('PF', 'p2', 'B', 'F', '', ''),
  ('PFP', 'g', 'G', 'P', '', ''), ('PFP', 'h', 'H', 'PF', '', ''), ('PFP', 'i', 'I', 'P', '', ''),
  ('DEEP', 'd1', 'D1', 'P', '', ''), ('DEEP', 'd2', 'D2', 'PF', '', ''), ('DEEP', 'd3', 'D3', 'PFF', '', ''),
  ('DEEP', 'd4', 'D4', 'F', '', ''), ('DEEP', 'd5', 'D5', 'PFF', '', ''), ('DEEP', 'd6', 'D6', 'P', '', ''),
  ('LONG', 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa', 'L1', 'P', '', ''),
  ('LONG', 'bbbbbbbbbbbbbbbbbbbbbbbbbbbbbb', 'L2', 'F', '', ''),
  ('QT', 'q1', 'Domicílios "com" aspas, vírgulas e "', 'F', '', ''),
  ('BAD', 'b1', 'Bom', 'F', '', ''), ('BAD', 'b2 from Pais; --', 'Mau', 'F', '', '');
)SQL";

// The field tree as text: name, children in braces.
QString tree(const ResultTable &table, const std::vector<int> &fields) {
    QStringList parts;
    for (int index : fields) {
        const ResultField &f = table.field(index);
        parts << (f.isGroup() ? f.name() + QLatin1Char('{') + tree(table, f.children()) + QLatin1Char('}') : f.name());
    }
    return parts.join(QLatin1Char(','));
}

class CatalogueTest : public ::testing::Test {
  protected:
    CatalogueTest() : m_fixture(QString::fromUtf8(kCatalogue)) {
        m_db.setPath(m_fixture.path());
        m_db.setConnected(true);
    }

    // Loads the catalogue of a table into a fresh result table.
    void load(const QString &table) {
        m_table.clearFields();
        m_lines.clear();
        CarregaAtributos(m_qAux, table, m_table, m_lines);
    }

    QStringList items(int item) const {
        QStringList result;
        for (const QString &line : m_lines) {
            const AttributeLine a = AttributeLine::parse(line);
            result << QStringList{a.kind, a.path, a.title, a.name, a.formula, a.sample}[item];
        }
        return result;
    }

    FixtureDatabase m_fixture;
    Database m_db;
    Query m_qAux{m_db};
    ResultTable m_table;
    QStringList m_lines;
};

TEST_F(CatalogueTest, ExampleBuildsGroupsValuesAndPaths) {
    load(QStringLiteral("EX"));
    EXPECT_EQ(tree(m_table, m_table.topLevelFields()), QStringLiteral("a1{a2{a3,a4},a5},a6,a7"));
    EXPECT_EQ(items(1), (QStringList{"a1", "a1.a2", "a1.a2.a3", "a1.a2.a4", "a1.a5", "a6", "a7"}));
    EXPECT_EQ(items(0), (QStringList{"AGREGADA", "AGREGADA", "VALOR", "VALOR", "VALOR", "VALOR", "VALOR"}));
    for (const QString &path : items(1))
        EXPECT_GE(m_table.findField(path), 0) << path.toStdString();
    EXPECT_EQ(m_table.fieldByName(QStringLiteral("a1.a2.a3")).kind(), FieldKind::Float);

    // The line as written, and every item back unchanged (titles with blanks too).
    EXPECT_EQ(m_lines[2], QStringLiteral("\"VALOR\",\"a1.a2.a3\",\"Três\",\"a3\",\"a3/a4\",\"S\""));
    EXPECT_EQ(items(2), (QStringList{"Um", "Dois", "Três", "Quatro", "Cinco", "Seis", "Sete"}));
    EXPECT_EQ(items(4)[2], QStringLiteral("a3/a4"));
    EXPECT_EQ(items(5)[3], QStringLiteral("S"));

    // qAux stays open on its first row.
    EXPECT_TRUE(m_qAux.isActive());
    EXPECT_EQ(m_qAux.fieldByName(QStringLiteral("Atributo")).asString(), QStringLiteral("a1"));
    EXPECT_EQ(m_qAux.sql(),
              (QStringList{"select Atributo, Descricao_Atributo, Tipo_Atributo, "
                           "Formula_Percentual_Total, Atributo_Pesquisa_Rustico",
                           "  from Nome_Atributos_Tab_Valor", " where Tabela = 'EX'", "order by Atributo"}));
}

// A title holds any text, double quotes too; a column name is pasted into
// the value statement, so only a plain name is accepted.
TEST_F(CatalogueTest, TitlesHoldAnyTextAndColumnNamesArePlain) {
    load(QStringLiteral("QT"));
    EXPECT_EQ(items(2), QStringList{QStringLiteral("Domicílios \"com\" aspas, vírgulas e \"")});
    EXPECT_EQ(items(3), QStringList{QStringLiteral("q1")});

    try {
        load(QStringLiteral("BAD"));
        ADD_FAILURE() << "the column name was accepted";
    } catch (const AppError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("O catálogo da tabela BAD tem um nome de coluna inválido: \"b2 from "
                                                  "Pais; --\" (um nome de coluna só tem letras, algarismos e _)."));
    }
}

TEST_F(CatalogueTest, LookAheadDecidesBetweenGroupAndValue) {
    const struct {
        const char *table;
        const char *tree;
        const char *paths;
        const char *kinds;
    } cases[] = {
        {"NONE", "", "", ""},
        {"ONE", "x", "x", "VALOR"},
        {"PP", "p1,p2", "p1|p2", "VALOR|VALOR"},
        {"PF", "p1{p2}", "p1|p1.p2", "AGREGADA|VALOR"},
        {"PFP", "g{h},i", "g|g.h|i", "AGREGADA|VALOR|VALOR"},
        {"DEEP", "d1{d2{d3{d4},d5}},d6", "d1|d1.d2|d1.d2.d3|d1.d2.d3.d4|d1.d2.d5|d6",
         "AGREGADA|AGREGADA|AGREGADA|VALOR|VALOR|VALOR"},
    };
    for (const auto &c : cases) {
        load(QString::fromUtf8(c.table));
        SCOPED_TRACE(c.table);
        EXPECT_EQ(tree(m_table, m_table.topLevelFields()), QString::fromUtf8(c.tree));
        EXPECT_EQ(items(1).join(QLatin1Char('|')), QString::fromUtf8(c.paths));
        EXPECT_EQ(items(0).join(QLatin1Char('|')), QString::fromUtf8(c.kinds));
    }
}

TEST_F(CatalogueTest, PathsAreCutAtFiftyCharacters) {
    load(QStringLiteral("LONG"));
    const QString path = items(1)[1];
    EXPECT_EQ(path.size(), 50);
    EXPECT_EQ(path, (QString(30, QLatin1Char('a')) + QLatin1Char('.') + QString(30, QLatin1Char('b'))).left(50));
    // The field itself carries its full name, which the cut path no longer names.
    EXPECT_LT(m_table.findField(path), 0);
}

} // namespace
