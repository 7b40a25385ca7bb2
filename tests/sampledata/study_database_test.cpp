// The generated study database keeps the conventions the program relies on:
// the topic tree's shape, catalogues the loader can read, a row for every
// grouping, totals that are exact sums and percentages recomputed at every
// level. Everything is read through the program's own data layer.
#include "generated_study.h"

#include <QRegularExpression>
#include <QSet>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr int kOthers = 999999;
const QString kOthersText = QStringLiteral("ZZDEMAIS MUNICÍPIOS");

GeneratedStudy &study() { return GeneratedStudy::instance(); }

struct Territory {
    int region, state, micro, metro;
    qint64 population;
    QString name;
};

// Every municipality of the Municipio table, by code.
const std::map<int, Territory> &municipalities() {
    static const std::map<int, Territory> all = [] {
        std::map<int, Territory> m;
        for (const QVariantList &r : study().rows(QStringLiteral(
                 "select Municipio, Regiao, Unidade_Federativa, Micro_Regiao, Regiao_Metropolitana, Populacao_Cidade, "
                 "Descricao from Municipio where Municipio <> 999999")))
            m[r[0].toInt()] = {r[1].toInt(), r[2].toInt(), r[3].toInt(), r[4].toInt(), r[5].toLongLong(),
                               r[6].toString()};
        return m;
    }();
    return all;
}

struct CatalogueLine {
    QString atributo, title, level, formula, survey;
};

std::vector<CatalogueLine> catalogue(const QString &table) {
    std::vector<CatalogueLine> lines;
    for (const QVariantList &r : study().rows(
             {QStringLiteral("select Atributo, Descricao_Atributo, Tipo_Atributo, Formula_Percentual_Total, "
                             "Atributo_Pesquisa_Rustico"),
              QStringLiteral("  from Nome_Atributos_Tab_Valor"), QStringLiteral(" where Tabela = '%1'").arg(table),
              QStringLiteral("order by Atributo")}))
        lines.push_back({r[0].toString(), r[1].toString(), r[2].toString(), r[3].toString(), r[4].toString()});
    return lines;
}

// The loader's look-ahead, as the catalogue's readers apply it: a heading
// with nothing under it is a value column.
bool becomesValue(const QString &level, const QString &next) {
    if (level == QLatin1String("P"))
        return next == QLatin1String("P");
    if (level == QLatin1String("PF"))
        return !(next == QLatin1String("F") || next == QLatin1String("PFF"));
    if (level == QLatin1String("PFF"))
        return next != QLatin1String("F");
    return true;
}

std::vector<bool> valueFlags(const std::vector<CatalogueLine> &lines) {
    std::vector<bool> flags;
    for (size_t i = 0; i < lines.size(); ++i)
        flags.push_back(becomesValue(lines[i].level, i + 1 < lines.size() ? lines[i + 1].level : lines[i].level));
    return flags;
}

QStringList tableTopics() {
    QStringList codes;
    for (const QVariantList &r : study().rows(QStringLiteral(
             "select Nivel_Informacao from Nivel_Informacao where Len(Nivel_Informacao) = 8 order by Nivel_Informacao")))
        codes << r[0].toString();
    return codes;
}

struct DataRow {
    QString texts[5];
    int codes[5];
    int kind;
    std::vector<double> values;
};

struct DataTable {
    std::vector<CatalogueLine> values; // the value columns, in order
    std::vector<DataRow> rows;
};

DataTable load(const QString &code) {
    DataTable t;
    const std::vector<CatalogueLine> lines = catalogue(QString(code).remove(QLatin1Char('.')));
    const std::vector<bool> flags = valueFlags(lines);
    QStringList select{QStringLiteral("select DRegiao, DUnidade_Federativa, DMicro_Regiao, DRegiao_Metropolitana, "
                                      "DMunicipio, Regiao, Unidade_Federativa, Micro_Regiao, Regiao_Metropolitana, "
                                      "Municipio, Tipo_Registro")};
    for (size_t i = 0; i < lines.size(); ++i)
        if (flags[i]) {
            t.values.push_back(lines[i]);
            select << QStringLiteral("     , ") + lines[i].atributo;
        }
    select << QStringLiteral("  from ") + QString(code).remove(QLatin1Char('.'));
    for (const QVariantList &r : study().rows(select)) {
        DataRow row;
        for (int i = 0; i < 5; ++i) {
            row.texts[i] = r[i].toString();
            row.codes[i] = r[5 + i].toInt();
        }
        row.kind = r[10].toInt();
        for (int i = 11; i < r.size(); ++i)
            row.values.push_back(r[i].toDouble());
        t.rows.push_back(std::move(row));
    }
    return t;
}

// The municipalities a total row sums, by its kind and codes.
std::vector<int> membersOf(const DataRow &row) {
    std::vector<int> members;
    for (const auto &[code, m] : municipalities()) {
        bool in = false;
        if (row.kind == 1 && row.codes[4] == kOthers) {
            const bool inArea = row.codes[2]   ? m.micro == row.codes[2]
                                : row.codes[1] ? m.state == row.codes[1]
                                : row.codes[0] ? m.region == row.codes[0]
                                               : true;
            in = inArea && m.population < 20000;
        } else if (row.kind == 2) {
            in = m.metro == row.codes[3];
        } else if (row.kind == 3) {
            in = m.micro == row.codes[2];
        } else if (row.kind == 4) {
            in = m.state == row.codes[1];
        } else if (row.kind == 5) {
            in = m.region == row.codes[0];
        } else if (row.kind == 6) {
            in = true;
        } else if (row.kind == 43) {
            in = m.metro != 0;
        }
        if (in)
            members.push_back(code);
    }
    return members;
}

double percentage(double numerator, double denominator) {
    return denominator > 0 ? std::round(10000.0 * numerator / denominator) / 100.0 : 0.0;
}

} // namespace

TEST(SampleStudyTopics, TreeHasTheShapeStartUpExpects) {
    const auto top = study().rows(QStringLiteral(
        "select Nivel_Informacao, Descricao from Nivel_Informacao where Len(Nivel_Informacao) = 2 order by Nivel_Informacao"));
    ASSERT_EQ(top.size(), 4u);
    EXPECT_EQ(top[0][0].toString(), QStringLiteral("01"));
    EXPECT_EQ(top[2][0].toString(), QStringLiteral("03"));
    // The statement of the tree loader for the children of "01".
    const auto children = study().rows({QStringLiteral("select Nivel_Informacao, Descricao"),
                                        QStringLiteral("  From Nivel_Informacao"),
                                        QStringLiteral(" where Len(Nivel_Informacao) = 5"),
                                        QStringLiteral("   and Left(Nivel_Informacao,2) = '01'"),
                                        QStringLiteral("order by Nivel_Informacao")});
    ASSERT_EQ(children.size(), 6u);
    // After expanding "01" (each child with its placeholder) the node at
    // absolute index 13 is the second top-level topic.
    EXPECT_EQ(1 + 2 * int(children.size()), 13);
    EXPECT_EQ(top[1][0].toString(), QStringLiteral("02"));
    EXPECT_EQ(study().value(QStringLiteral("select count(*) from Nivel_Informacao where Nivel_Informacao like '03.%'"))
                  .toInt(),
              0);

    const QStringList tables = tableTopics();
    EXPECT_GE(tables.size(), 18);
    EXPECT_LE(tables.size(), 24);
    int longTitles = 0;
    for (const QVariantList &r : study().rows(QStringLiteral("select Descricao from Nivel_Informacao")))
        longTitles += r[0].toString().size() > 70;
    EXPECT_GE(longTitles, 2);
    for (const QString &code : tables) {
        // Every table topic sits under an existing heading.
        EXPECT_EQ(study().value(QStringLiteral("select count(*) from Nivel_Informacao where Nivel_Informacao in ('%1', '%2')")
                                    .arg(code.left(2), code.left(5)))
                      .toInt(),
                  2)
            << qPrintable(code);
    }
}

TEST(SampleStudyTopics, MostTablesHaveNotesOfOneToFiveLines) {
    int withNotes = 0;
    for (const QString &code : tableTopics()) {
        const auto notes = study().rows(
            {QStringLiteral("Select Observacao"), QStringLiteral("  From Observacao_Tab_Valor"),
             QStringLiteral("Where Nivel_Informacao = '%1'").arg(code)});
        if (notes.empty())
            continue;
        ++withNotes;
        const int lines = int(notes[0][0].toString().split(QStringLiteral("\r\n")).size());
        EXPECT_GE(lines, 1) << qPrintable(code);
        EXPECT_LE(lines, 5) << qPrintable(code);
    }
    EXPECT_GT(withNotes, int(tableTopics().size()) / 2);
}

TEST(SampleStudyCatalogue, EveryTableIsReadableAndTogetherTheyUseEveryStructure) {
    QSet<QString> structures;
    for (const QString &code : tableTopics()) {
        const QString table = QString(code).remove(QLatin1Char('.'));
        const std::vector<CatalogueLine> lines = catalogue(table);
        ASSERT_FALSE(lines.empty()) << qPrintable(code);
        EXPECT_EQ(lines.front().level, QStringLiteral("P")) << qPrintable(code);
        const std::vector<bool> flags = valueFlags(lines);
        QStringList dataColumns;
        QStringList columns;
        study().rows(QStringList{QStringLiteral("select * from %1 where 0 = 1").arg(table)}, &columns);
        int values = 0;
        QStringList seen;
        for (size_t i = 0; i < lines.size(); ++i) {
            const CatalogueLine &l = lines[i];
            const QString next = i + 1 < lines.size() ? lines[i + 1].level : QStringLiteral("(fim)");
            // A value column exists in the data table; a group does not.
            EXPECT_EQ(columns.contains(l.atributo), bool(flags[i])) << qPrintable(code + QLatin1Char(' ') + l.atributo);
            values += flags[i];
            if (l.level == QLatin1String("P") && next == QLatin1String("(fim)"))
                structures << QStringLiteral("lone P");
            if (l.level == QLatin1String("P") && next == QLatin1String("P"))
                structures << QStringLiteral("P then P");
            if (l.level == QLatin1String("P") && next == QLatin1String("F"))
                structures << QStringLiteral("P with F");
            if (l.level == QLatin1String("PF") && next == QLatin1String("F"))
                structures << QStringLiteral("P, PF, F");
            if (l.level == QLatin1String("PFF") && next == QLatin1String("F"))
                structures << QStringLiteral("P, PF, PFF, F");
            if ((l.level == QLatin1String("PF") || l.level == QLatin1String("PFF")) && flags[i])
                structures << QStringLiteral("heading as value");
            if (!l.formula.isEmpty())
                structures << QStringLiteral("percentage");
            if (l.survey == QLatin1String("S"))
                structures << QStringLiteral("survey");
            // A percentage names its absolute columns, both earlier in the
            // catalogue: marking a column searches the lines in order for
            // its name, and must find its own line first.
            if (!l.formula.isEmpty()) {
                static const QRegularExpression form(QStringLiteral("^(\\w+) / (\\w+) \\* 100$"));
                const auto m = form.match(l.formula);
                ASSERT_TRUE(m.hasMatch()) << qPrintable(l.formula);
                EXPECT_TRUE(seen.contains(m.captured(1)) && seen.contains(m.captured(2))) << qPrintable(l.formula);
            }
            for (const CatalogueLine &earlier : lines) {
                if (&earlier == &l)
                    break;
                EXPECT_FALSE(earlier.title.contains(l.atributo) || earlier.formula.contains(l.atributo))
                    << qPrintable(code + QLatin1Char(' ') + l.atributo);
            }
            seen << l.atributo;
        }
        EXPECT_GE(values, 2) << qPrintable(code);
        EXPECT_LE(values, 40) << qPrintable(code);
    }
    EXPECT_EQ(structures, (QSet<QString>{"lone P", "P then P", "P with F", "P, PF, F", "P, PF, PFF, F",
                                         "heading as value", "percentage", "survey"}));
    EXPECT_EQ(catalogue(QStringLiteral("03")).size(), 0u);
}

TEST(SampleStudyTerritory, MunicipalitiesRegionsAndGroupings) {
    EXPECT_EQ(study().value(QStringLiteral("select count(*) from Pais")).toInt(), 1);
    EXPECT_EQ(study().value(QStringLiteral("select count(*) from Regiao")).toInt(), 5);
    EXPECT_EQ(study().value(QStringLiteral("select count(*) from Unidade_Federativa")).toInt(), 27);
    EXPECT_EQ(study().value(QStringLiteral("select Descricao from Unidade_Federativa where Sigla = 'PE'")).toString(),
              QStringLiteral("Pernambuco"));
    const auto reserved = study().rows(QStringLiteral(
        "select Populacao_Cidade, Regiao, Unidade_Federativa, Micro_Regiao from Municipio where Municipio = 999999"));
    ASSERT_EQ(reserved.size(), 1u);
    EXPECT_EQ(reserved[0], (QVariantList{0, 0, 0, 0}));

    const auto &all = municipalities();
    EXPECT_GT(all.size(), 5500u);
    int large = 0;
    for (const auto &[code, m] : all) {
        EXPECT_EQ(code / 100000, m.state) << code; // real seven-digit IBGE codes
        large += m.population >= 20000;
    }
    const double share = double(large) / double(all.size());
    EXPECT_GE(share, 0.10);
    EXPECT_LE(share, 0.15);
    EXPECT_EQ(all.at(2611606).name, QStringLiteral("Recife"));
    // Capitals are the largest municipality of their state.
    EXPECT_EQ(study().value(QStringLiteral("select Descricao from Municipio where Unidade_Federativa = 35 "
                                           "order by Populacao_Cidade desc"))
                  .toString(),
              QStringLiteral("São Paulo"));

    const auto micros = study().rows(QStringLiteral(
        "select m.Micro_Regiao, count(*), max(m.Populacao_Cidade), r.Descricao, r.Unidade_Federativa from Municipio m "
        "join Micro_Regiao r on r.Micro_Regiao = m.Micro_Regiao group by m.Micro_Regiao"));
    EXPECT_GE(micros.size(), 500u);
    EXPECT_LE(micros.size(), 600u);
    for (const QVariantList &r : micros) {
        if (r[4].toInt() != 53) { // the Federal District is one municipality
            EXPECT_GE(r[1].toInt(), 5);
            EXPECT_LE(r[1].toInt(), 40);
        }
        const QString largest = study()
                                    .value(QStringLiteral("select Descricao from Municipio where Micro_Regiao = %1 "
                                                          "and Populacao_Cidade = %2")
                                               .arg(r[0].toInt())
                                               .arg(r[2].toLongLong()))
                                    .toString();
        EXPECT_EQ(r[3].toString(), largest);
    }

    const auto metros = study().rows(QStringLiteral(
        "select distinct Regiao_Metropolitana, Sigla, Descricao from Regiao_Metropolitana"));
    EXPECT_GE(metros.size(), 20u);
    EXPECT_LE(metros.size(), 30u);
    QSet<int> codes;
    for (const QVariantList &r : metros) {
        EXPECT_FALSE(codes.contains(r[0].toInt())) << "one name and sigla per metropolitan region";
        codes.insert(r[0].toInt());
        EXPECT_TRUE(r[2].toString().startsWith(QStringLiteral("RM de "))) << qPrintable(r[2].toString());
        // Each row of a metropolitan region names a state it has members in.
        for (const QVariantList &part : study().rows(
                 QStringLiteral("select Unidade_Federativa from Regiao_Metropolitana where Regiao_Metropolitana = %1")
                     .arg(r[0].toInt())))
            EXPECT_GT(study().value(QStringLiteral("select count(*) from Municipio where Regiao_Metropolitana = %1 "
                                                   "and Unidade_Federativa = %2")
                                        .arg(r[0].toInt())
                                        .arg(part[0].toInt()))
                          .toInt(),
                      0);
    }
    EXPECT_GE(study().value(QStringLiteral("select max(c) from (select count(*) c from Regiao_Metropolitana "
                                           "group by Regiao_Metropolitana)"))
                  .toInt(),
              2);
}

TEST(SampleStudyTables, EveryTotalIsTheExactSumOfWhatItSums) {
    const auto &all = municipalities();
    const int micros = study().value(QStringLiteral("select count(*) from Micro_Regiao")).toInt();
    const int metros =
        study().value(QStringLiteral("select count(distinct Regiao_Metropolitana) from Regiao_Metropolitana")).toInt();
    bool smallSurveyFigure = false;
    bool zero = false;
    for (const QString &code : tableTopics()) {
        SCOPED_TRACE(code.toStdString());
        const DataTable t = load(code);
        std::map<int, const DataRow *> byMunicipality;
        std::map<int, int> kinds;
        int others = 0;
        for (const DataRow &row : t.rows) {
            ++kinds[row.kind];
            if (row.kind == 1 && row.codes[4] != kOthers)
                byMunicipality[row.codes[4]] = &row;
            others += row.codes[4] == kOthers;
        }
        ASSERT_EQ(byMunicipality.size(), all.size());
        EXPECT_EQ(kinds[3], micros);
        EXPECT_EQ(kinds[2], metros);
        EXPECT_EQ(kinds[4], 27);
        EXPECT_EQ(kinds[5], 5);
        EXPECT_EQ(kinds[6], 1);
        EXPECT_EQ(kinds[43], 1);
        EXPECT_GE(others, 1 + 5 + 27);

        for (const DataRow &row : t.rows) {
            const bool municipality = row.kind == 1 && row.codes[4] != kOthers;
            if (municipality) {
                const Territory &m = all.at(row.codes[4]);
                EXPECT_EQ(row.texts[4], m.name);
                EXPECT_EQ(row.texts[1].size(), 2);
                for (size_t i = 0; i < t.values.size(); ++i) {
                    zero = zero || row.values[i] == 0;
                    smallSurveyFigure = smallSurveyFigure || (t.values[i].survey == QLatin1String("S") &&
                                                              t.values[i].formula.isEmpty() && row.values[i] > 0 &&
                                                              row.values[i] <= 49);
                }
            } else {
                // A total sums exactly its municipalities' absolute figures.
                const std::vector<int> members = membersOf(row);
                if (row.kind != 1) {
                    EXPECT_FALSE(members.empty()) << row.kind;
                }
                for (size_t i = 0; i < t.values.size(); ++i) {
                    if (!t.values[i].formula.isEmpty())
                        continue;
                    double sum = 0;
                    for (int m : members)
                        sum += byMunicipality.at(m)->values[i];
                    EXPECT_EQ(row.values[i], sum) << "kind " << row.kind << " codes " << row.codes[0] << ','
                                                  << row.codes[1] << ',' << row.codes[2] << ',' << row.codes[3]
                                                  << " column " << qPrintable(t.values[i].atributo);
                }
                // The row's own levels show names; the finer levels it sums
                // read "ZZ", the municipality "ZZZ" (or the name of the
                // grouped small municipalities).
                EXPECT_EQ(row.texts[4], row.kind == 1 ? kOthersText : QStringLiteral("ZZZ"));
                static const std::map<int, QSet<int>> named = {
                    {2, {0, 1, 3}}, {3, {0, 1, 2}}, {4, {0, 1}}, {5, {0}}, {6, {}}, {43, {}}};
                for (int level = 0; level < 4; ++level) {
                    const bool name = row.kind == 1 ? level < 3 && row.codes[level] != 0
                                                    : named.at(row.kind).contains(level);
                    EXPECT_NE(row.texts[level].startsWith(QStringLiteral("ZZ")), name) << row.kind << ' ' << level;
                }
            }
            // Percentages are recomputed from the row's own figures.
            for (size_t i = 0; i < t.values.size(); ++i) {
                if (t.values[i].formula.isEmpty())
                    continue;
                static const QRegularExpression form(QStringLiteral("^(\\w+) / (\\w+) \\* 100$"));
                const auto m = form.match(t.values[i].formula);
                size_t num = 0, den = 0;
                for (size_t k = 0; k < t.values.size(); ++k) {
                    if (t.values[k].atributo == m.captured(1))
                        num = k;
                    if (t.values[k].atributo == m.captured(2))
                        den = k;
                }
                EXPECT_NEAR(row.values[i], percentage(row.values[num], row.values[den]), 1e-9);
                EXPECT_GE(row.values[i], 0.0);
                EXPECT_LE(row.values[i], 100.0);
            }
        }
    }
    EXPECT_TRUE(smallSurveyFigure) << "some survey figures of 49 or less, shown as \"x\"";
    EXPECT_TRUE(zero) << "some zeros, shown as \"-\"";
}

TEST(SampleStudyTables, MunicipalityListHoldsTheLargeAndTheMetropolitanMunicipalities) {
    QSet<int> expected;
    for (const auto &[code, m] : municipalities())
        if (m.population >= 20000 || m.metro != 0)
            expected.insert(code);
    QSet<int> listed;
    const auto rows = study().rows(
        {QStringLiteral("select DRegiao, DUnidade_Federativa, DMicro_Regiao, DRegiao_Metropolitana, DMunicipio, "
                        "Municipio, Populacao_Cidade"),
         QStringLiteral("  from 03"),
         QStringLiteral(" Order By DRegiao, DUnidade_Federativa, DMicro_Regiao, DMunicipio, DRegiao_Metropolitana")});
    for (const QVariantList &r : rows) {
        listed.insert(r[5].toInt());
        EXPECT_GT(r[1].toString().size(), 2) << "the state by name";
    }
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(rows.size(), size_t(expected.size()));
}

// The statements the query builder composes, run as the program runs them:
// the detail rows of each grouping add up to its total row, which sorts last.
TEST(SampleStudyTables, GroupingsAddUpToTheirTotalRowSortedLast) {
    const QStringList head{QStringLiteral("select DRegiao,"), QStringLiteral("       DUnidade_Federativa,"),
                           QStringLiteral("       DMicro_Regiao,"), QStringLiteral("       DRegiao_Metropolitana,"),
                           QStringLiteral("       DMunicipio,"), QStringLiteral("       Tipo_Registro,"),
                           QStringLiteral("A01"), QStringLiteral("  from 010101")};
    const int someMicro =
        study().value(QStringLiteral("select Micro_Regiao from Municipio where Unidade_Federativa = 31 "
                                     "and Populacao_Cidade >= 20000 order by Micro_Regiao")).toInt();
    const struct {
        const char *name;
        QStringList lines;
        int total;
        int details;
    } cases[] = {
        {"Região",
         {" where ((Tipo_Registro = 5) or (Tipo_Registro = 6))", " Order By  DRegiao,  Tipo_Registro"},
         6,
         5},
        {"Unidade Federação in Nordeste",
         {" where Regiao = 2", "   and ((Tipo_Registro = 4) or (Tipo_Registro = 5))",
          " Order By  DUnidade_Federativa,  DMunicipio,  Tipo_Registro"},
         5,
         9},
        {"Microrregião in Minas Gerais",
         {" where Unidade_Federativa = 31", "   and ((Tipo_Registro = 3) or (Tipo_Registro = 4))",
          " Order By  DMicro_Regiao,  DMunicipio,  Tipo_Registro"},
         4,
         -1},
        {"R. Metropolitana",
         {" where ((Tipo_Registro = 2) or (Tipo_Registro = 43))",
          " Order By  DRegiao_Metropolitana,  DRegiao,  DUnidade_Federativa,  DMunicipio,  Tipo_Registro"},
         43,
         -1},
        {"Município in the country",
         {" where ((Municipio <> 999999) or ((Municipio = 999999) and (Micro_Regiao = 0) and "
          "(Unidade_Federativa = 0) and (Regiao = 0)))",
          "   and ((Tipo_Registro = 1) or (Tipo_Registro = 6))",
          "   and ((Populacao_Cidade >= 20000) or ((Populacao_Cidade < 20000) and (Tipo_Registro <> 1)) or "
          "(Municipio = 999999))",
          " Order By  DRegiao,  DUnidade_Federativa,  DMunicipio,  Tipo_Registro"},
         6,
         -1},
        {"Município in São Paulo",
         {" where Unidade_Federativa = 35",
          "   and ((Municipio <> 999999) or ((Municipio = 999999) and (Micro_Regiao = 0) and "
          "(Unidade_Federativa > 0) and (Regiao > 0)))",
          "   and ((Tipo_Registro = 1) or (Tipo_Registro = 4))",
          "   and ((Populacao_Cidade >= 20000) or ((Populacao_Cidade < 20000) and (Tipo_Registro <> 1)) or "
          "(Municipio = 999999))",
          " Order By  DMunicipio,  Tipo_Registro"},
         4,
         -1},
        {"Município in a micro-region",
         {QStringLiteral(" where Micro_Regiao = %1").arg(someMicro),
          "   and ((Tipo_Registro = 1) or (Tipo_Registro = 3))",
          "   and ((Populacao_Cidade >= 20000) or ((Populacao_Cidade < 20000) and (Tipo_Registro <> 1)) or "
          "(Municipio = 999999))",
          " Order By  DMunicipio,  Tipo_Registro"},
         3,
         -1},
        {"Município in a metropolitan region",
         {" where Regiao_Metropolitana = 1", "   and ((Tipo_Registro = 1) or (Tipo_Registro = 2))",
          " Order By  DMunicipio,  Tipo_Registro"},
         2,
         -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto rows = study().rows(head + c.lines);
        ASSERT_GE(rows.size(), 2u);
        if (c.details >= 0) {
            EXPECT_EQ(int(rows.size()) - 1, c.details);
        }
        double sum = 0;
        for (size_t r = 0; r + 1 < rows.size(); ++r) {
            EXPECT_NE(rows[r][5].toInt(), c.total);
            sum += rows[r][6].toDouble();
        }
        EXPECT_EQ(rows.back()[5].toInt(), c.total);
        EXPECT_EQ(rows.back()[6].toDouble(), sum);
        if (QString::fromLatin1(c.name).startsWith(QLatin1String("Município in"))) {
            const bool grouped = rows.size() >= 3 && rows[rows.size() - 2][4].toString() == kOthersText;
            EXPECT_EQ(grouped, c.total != 2) << "the grouped small municipalities come right before the total";
        }
    }
}
