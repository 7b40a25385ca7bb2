#include "base/data/app_error.h"
#include "base/selection/selection_state.h"
#include "base/table/query_builder.h"
#include "core/map/map_legend.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

QStringList column(const MapLegend &legend, bool upper) {
    QStringList texts;
    for (int k = 1; k <= MapLegend::kClasses; ++k)
        texts << (upper ? legend.upper(k) : legend.lower(k));
    return texts;
}

QStringList split(const char *texts) { return QString::fromUtf8(texts).split(QLatin1Char(' ')); }

MapLegend::Bounds bounds(const QStringList &uppers) {
    MapLegend::Bounds b;
    for (int k = 0; k < MapLegend::kClasses; ++k)
        b[k] = uppers.value(k);
    return b;
}

MapLegend legend(bool percentage, const QStringList &uppers) {
    MapLegend l;
    l.setPercentage(percentage);
    l.load(bounds(uppers));
    return l;
}

} // namespace

TEST(MapLegend, ColoursAndTheirNames) {
    const qint64 numbers[] = {10420224, 16744448, 16770764, 182, 255, 33023, 64507, 2883371};
    const char *names[] = {"Azul Escuro", "Azul", "Azul Claro", "Vinho", "Vermelho", "Laranja", "Amarelo", "Verde"};
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(MapLegend::colorNumber(k), numbers[k - 1]);
        EXPECT_EQ(MapLegend::NomeCor(k), QString::fromUtf8(names[k - 1]));
    }
    EXPECT_EQ(MapLegend::NomeCor(0), QString());
    EXPECT_EQ(MapLegend::NomeCor(9), QString());
}

TEST(MapLegend, ComputedClassesFromTheMaximum) {
    const struct {
        bool percentage;
        double maximum;
        const char *lowers;
        const char *uppers;
    } cases[] = {
        {false, 0, "0 2 3 5 9 17 30 55", "1 2 4 8 16 29 54 99"},
        {true, 100, "0,00 1,41 2,81 5,61 11,20 22,39 41,04 75,24", "1,40 2,80 5,60 11,19 22,38 41,03 75,23 100,00"},
        {false, 7200, "0 102 203 405 809 1617 2964 5433", "101 202 404 808 1616 2963 5432 9958"},
        {true, 7.2, "0,00 0,12 0,23 0,45 0,89 1,77 3,24 5,93", "0,11 0,22 0,44 0,88 1,76 3,23 5,92 10,85"},
    };
    for (const auto &c : cases) {
        MapLegend l;
        l.setPercentage(c.percentage);
        l.compute(c.maximum);
        EXPECT_EQ(column(l, false), split(c.lowers)) << c.maximum;
        EXPECT_EQ(column(l, true), split(c.uppers)) << c.maximum;
    }
}

TEST(MapLegend, LoadedBoundsBeginJustAboveTheClassBefore) {
    const MapLegend integer = legend(false, {"10", "20", "", "40"});
    EXPECT_EQ(column(integer, false), (QStringList{"0", "11", "", "", "", "", "", ""}));
    const MapLegend percent = legend(true, {"1,5", "3", "7,25"});
    EXPECT_EQ(column(percent, false), (QStringList{"0", "1,51", "3,01", "", "", "", "", ""}));

    // A bound of the wrong kind names its class and changes nothing.
    MapLegend kept = legend(false, {"10", "20"});
    for (const QStringList &bad : {QStringList{"10", "vinte"}, QStringList{"10", "20", "30", "4,5"}}) {
        try {
            kept.load(bounds(bad));
            FAIL() << bad.join(' ').toStdString();
        } catch (const AppError &error) {
            EXPECT_TRUE(error.message().contains(MapLegend::NomeCor(static_cast<int>(bad.size()))))
                << error.message().toStdString();
        }
    }
    EXPECT_EQ(kept.upper(2), QStringLiteral("20"));
}

TEST(MapLegend, EditingFollowsTheTypedUpperBounds) {
    MapLegend l = legend(false, {"10", "20", "30", "40"});
    EXPECT_EQ(l.typedText(QStringLiteral("1.5")), QStringLiteral("1,5"));
    EXPECT_EQ(l.typedText(QStringLiteral("1,5")), QStringLiteral("1,5"));

    l.setUpper(2, QStringLiteral("25"));
    EXPECT_EQ(l.lower(2), QStringLiteral("11"));
    EXPECT_EQ(l.lower(3), QStringLiteral("26"));

    // Blanking a bound empties its beginning; the next class keeps its own.
    l.setUpper(2, QString());
    EXPECT_EQ(l.lower(2), QString());
    // With the class before blank, a typed class begins at zero.
    l.setUpper(3, QStringLiteral("35"));
    EXPECT_EQ(l.lower(3), QStringLiteral("0"));
    EXPECT_EQ(l.lower(4), QStringLiteral("36"));

    // A text that is not yet a number gives the next class no beginning.
    l.setUpper(3, QStringLiteral("3x"));
    EXPECT_EQ(l.lower(4), QString());

    // Delete clears both bounds of the row and nothing else.
    l.clearClass(4);
    EXPECT_EQ(l.lower(4), QString());
    EXPECT_EQ(l.upper(4), QString());
    EXPECT_EQ(l.upper(3), QStringLiteral("3x"));

    MapLegend percent = legend(true, {"1,5"});
    percent.setUpper(1, QStringLiteral("2,5"));
    percent.setUpper(2, QStringLiteral("4"));
    EXPECT_EQ(percent.lower(2), QStringLiteral("2,51"));
    EXPECT_EQ(percent.lower(3), QStringLiteral("4,01"));
}

// What a legend shows is compared as twelve integer digits: a bound beyond
// them is damage, refused on loading and on validation, and a maximum
// beyond them computes no classes; near it the computed classes stop at the
// largest bound, so that every value up to the maximum has a class. Nothing
// overflows on the way (the next class of 2^63 - 1 was negative).
TEST(MapLegend, NothingBeyondTheLargestBoundALegendShows) {
    const struct {
        bool percentage;
        const char *bound;
    } beyond[] = {
        {false, "9223372036854775807"}, {false, "1000000000000"}, {false, "-1000000000000"}, {true, "1e300"},
        {true, "1000000000000,00"},
    };
    for (const auto &c : beyond) {
        MapLegend l;
        l.setPercentage(c.percentage);
        try {
            l.load(bounds({"10", QString::fromUtf8(c.bound)}));
            ADD_FAILURE() << c.bound << " loaded";
        } catch (const AppError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("o valor final da faixa Azul (\"%1\") passa do maior valor que a "
                                                      "legenda mostra (999999999999).")
                                           .arg(QString::fromUtf8(c.bound)));
        }
        l.setUpper(1, QString::fromUtf8(c.bound));
        const MapLegend::Validation v = l.validate();
        EXPECT_FALSE(v.ok) << c.bound;
        EXPECT_EQ(v.message, QStringLiteral("Legenda não pode ser salva, o valor final da [faixa Azul Escuro] passa de "
                                            "999999999999 !"));
    }
    const MapLegend largest = legend(false, {"999999999999"});
    EXPECT_EQ(largest.classOf(999999999999.0), 1);

    for (const double maximum :
         {1e308, 1e12, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        MapLegend l = legend(false, {"10"});
        EXPECT_THROW(l.compute(maximum), AppError) << maximum;
        EXPECT_EQ(l.upper(1), QStringLiteral("10"));
    }
    MapLegend near;
    near.compute(9e11);
    EXPECT_EQ(near.upper(8), QStringLiteral("999999999999"));
    for (const double value : {0.0, 1e9, 5e11, 9e11})
        EXPECT_NE(near.classOf(value), 0) << value;
}

// Bounds loaded as a file holds them may be out of order; the first class
// whose upper bound is not above its lower one is found.
TEST(MapLegend, TheFirstClassOutOfOrder) {
    const struct {
        QStringList uppers;
        int k;
    } cases[] = {
        {{"10", "20", "30"}, 0},
        {{"500000", "10000"}, 2},
        {{"10", "20", "21", "22"}, 3},
        {{"-5"}, 1},
        {{"0"}, 1},
        // After a blank class nothing is in use.
        {{"10", "", "5"}, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(legend(false, c.uppers).firstClassOutOfOrder(), c.k) << c.uppers.join(' ').toStdString();
}

TEST(MapLegend, ValidationNamesTheFailingClassColour) {
    const struct {
        bool percentage;
        QStringList uppers;
        int failedClass;
        const char *message;
    } cases[] = {
        {false, {"10", "20", "30"}, 0, ""},
        // Class 3 ends where it begins.
        {false, {"10", "20", "21", "22"}, 3,
         "Legenda não pode ser salva, os dados da [faixa Azul Claro] estão inconsistentes !"},
        {false, {"10", "5"}, 2, "Legenda não pode ser salva, os dados da [faixa Azul] estão inconsistentes !"},
        {false, {"10", "20", "30", "abc"}, 4,
         "Legenda não pode ser salva, o valor final da [faixa Vinho] deve ser um número inteiro !"},
        {false, {"10", "20", "30", "40", "50,5"}, 5,
         "Legenda não pode ser salva, o valor final da [faixa Vermelho] deve ser um número inteiro !"},
        {true, {"1,5", "2,5", "3,5", "4,5", "5,5", "x"}, 6,
         "Legenda não pode ser salva, o valor final da [faixa Laranja] não é um número !"},
        {true, {"1,5", "2,5", "1e999"}, 3,
         "Legenda não pode ser salva, o valor final da [faixa Azul Claro] não é um número !"},
    };
    for (const auto &c : cases) {
        MapLegend l;
        l.setPercentage(c.percentage);
        for (int k = 1; k <= c.uppers.size(); ++k)
            l.setUpper(k, c.uppers[k - 1]);
        const MapLegend::Validation v = l.validate();
        EXPECT_EQ(v.ok, c.failedClass == 0) << c.uppers.join(' ').toStdString();
        EXPECT_EQ(v.failedClass, c.failedClass) << c.uppers.join(' ').toStdString();
        EXPECT_EQ(v.message, QString::fromUtf8(c.message));
    }
}

// Blanking the upper bound of class 3 empties classes 3 to 8 on the next
// redraw, and values above class 2 then fall into no class (black).
TEST(MapLegend, BlankingAClassEmptiesTheRestAndPaintsBlackAboveIt) {
    MapLegend l = legend(false, {"10", "20", "30", "40", "50", "60", "70", "80"});
    l.setUpper(3, QString());
    ASSERT_TRUE(l.validate().ok);
    for (int k = 3; k <= 8; ++k) {
        EXPECT_EQ(l.lower(k), QString()) << k;
        EXPECT_EQ(l.upper(k), QString()) << k;
    }
    EXPECT_EQ(l.colorOf(20), MapLegend::colorNumber(2));
    EXPECT_EQ(l.colorOf(21), 0);
    EXPECT_EQ(l.colorOf(75), 0);
}

TEST(MapLegend, ClassOfAValue) {
    const MapLegend integer = legend(false, {"10", "20", "30"});
    const MapLegend percent = legend(true, {"1,40", "2,80", "100,00"});
    const MapLegend noFirst = legend(false, {"", "20"});
    const struct {
        const MapLegend *legend;
        double value;
        int k;
    } cases[] = {
        {&integer, 0, 1},     {&integer, 10, 1},   {&integer, 11, 2},   {&integer, 30, 3},
        {&integer, 31, 0},    {&integer, -1, 0},   {&integer, 10.5, 0}, // between whole classes
        {&percent, 1.404, 1}, {&percent, 1.405, 2}, // compared at two decimals
        {&percent, 100, 3},   {&percent, 100.01, 0}, {&noFirst, 5, 0},  {&noFirst, 15, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.legend->classOf(c.value), c.k) << c.value;
        EXPECT_EQ(c.legend->colorOf(c.value), MapLegend::colorNumber(c.k)) << c.value;
    }
}

TEST(MapLegend, ClearingEmptiesEveryClass) {
    MapLegend l = legend(false, {"10", "20"});
    l.clear();
    for (int k = 1; k <= 8; ++k) {
        EXPECT_TRUE(l.lower(k).isEmpty());
        EXPECT_FALSE(l.inUse(k));
    }
    EXPECT_EQ(l.classOf(0), 0);
}

// The maximum is read over the detail rows of the statement that filled the
// table: the total rows' alternative leaves the row-kind condition, the
// ordering goes, and grouped by municipality the "DEMAIS" rows go too.
TEST(MapLegend, MaximumStatementFromTheValueStatement) {
    SelectionState state;
    state.agrupar = Grouping::UnidadeFederativa;
    state.regiao = 2;
    const QStringList value = QueryBuilder::compose(QStringLiteral("01.01.01"), state,
                                                    {QStringLiteral("\"VALOR\",\"A01\",\"T\",\"A01\",\"\",\"N\"")})
                                  .lines;
    const QStringList max = MapLegend::maximumStatement(value, QStringLiteral("A01"), 1);
    EXPECT_EQ(max, (QStringList{QStringLiteral("select Max(A01) as Maior_Valor"), QStringLiteral("  from 010101"),
                                QStringLiteral(" where Regiao = 2"),
                                QStringLiteral("   and ((Tipo_Registro = 4) )")}));

    // Grouped by municipality of a state the population condition follows
    // the row kinds; picked municipalities follow that.
    state.agrupar = Grouping::Municipio;
    state.regiao = 0;
    state.unidadeFederativa = 26;
    state.municipiosSelecionados = {QStringLiteral("Recife/2611606")};
    const QStringList picked = MapLegend::maximumStatement(
        QueryBuilder::compose(QStringLiteral("01.01.01"), state,
                              {QStringLiteral("\"VALOR\",\"A01\",\"T\",\"A01\",\"\",\"N\"")})
            .lines,
        QStringLiteral("A01"), 4);
    EXPECT_TRUE(picked.contains(QStringLiteral("   and ((Tipo_Registro = 1) )"))) << picked.join('\n').toStdString();
    EXPECT_EQ(picked.last(), QStringLiteral(" and Municipio <> 999999"));
    for (const QString &line : picked) {
        EXPECT_FALSE(line.toUpper().contains(QStringLiteral("ORDER BY")));
        EXPECT_FALSE(line.toUpper().contains(QStringLiteral("OR (TIPO_REGISTRO")));
    }
}
