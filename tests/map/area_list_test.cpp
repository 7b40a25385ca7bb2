#include "base/data/app_error.h"
#include "core/map/area_list.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(AreaList, NamesAndValuesSplitAtTheFirstEquals) {
    const struct {
        const char *line, *name, *value;
    } table[] = {
        {"Sul=(120/57),(121/57)", "Sul", "(120/57),(121/57)"},
        {"a=b=c", "a", "b=c"},
        {"=(1/2)", "", "(1/2)"},
        {"Sul=", "Sul", ""},
        {"sem igual", "", ""},
    };
    for (const auto &row : table) {
        EXPECT_EQ(AreaList::nameOf(QString::fromUtf8(row.line)), QString::fromUtf8(row.name)) << row.line;
        EXPECT_EQ(AreaList::valueOf(QString::fromUtf8(row.line)), QString::fromUtf8(row.value)) << row.line;
    }
}

TEST(AreaList, NameLookupIgnoresCaseAndTheFirstLineWins) {
    const AreaList list({QStringLiteral("São Paulo=(1/1)"), QStringLiteral("Sul=(2/2)"), QStringLiteral("SUL=(3/3)")});
    EXPECT_EQ(list.indexOfName(QStringLiteral("SÃO PAULO")), 0);
    EXPECT_EQ(list.indexOfName(QStringLiteral("sul")), 1);
    EXPECT_EQ(list.indexOfName(QStringLiteral("Norte")), -1);
    EXPECT_EQ(list.indexOfName(QStringLiteral("Sul=(2/2)")), -1);
}

// The lookup by point answers what a text search for "(x/y)" in the lines
// would: the text may stand anywhere, but only a whole group matches.
TEST(AreaList, PointLookupFindsTheFirstLineHoldingThePointText) {
    const AreaList list({
        QStringLiteral("A=(11/2),(1/23),(01/2),(1/2x)"),
        QStringLiteral("B=(7/8),(1/2)"),
        QStringLiteral("C=(1/2)"),
        QStringLiteral("Ilha (9/9)=(3/3)"),
        QStringLiteral("D=((4/4)),(5/-6)"),
        QStringLiteral("E=(+6/6),(-0/7),( 8/8)"),
    });
    const struct {
        QPoint point;
        int line;
    } table[] = {
        {{1, 2}, 1}, {{11, 2}, 0}, {{1, 23}, 0}, {{7, 8}, 1},  {{9, 9}, 3},  {{3, 3}, 3},
        {{4, 4}, 4}, {{5, -6}, 4}, {{6, 6}, -1}, {{0, 7}, -1}, {{8, 8}, -1}, {{2, 1}, -1},
    };
    for (const auto &row : table)
        EXPECT_EQ(list.indexOfPoint(row.point), row.line) << row.point.x() << "/" << row.point.y();
}

TEST(AreaList, StoreReplacesByNameOrBySeedOrAppends) {
    const QList<QPoint> outline{{4, 1}, {5, 1}, {5, 2}};
    const struct {
        const char *what;
        const char *name;
        bool sameNames;
        QStringList after;
        int storedAt;
    } table[] = {
        {"same name, other case: replaced", "SUL", false, {"Norte=(1/1)", "SUL=(4/1),(5/1),(5/2)", "Ilha=(4/1)"}, 1},
        {"new name: appended",
         "Leste",
         false,
         {"Norte=(1/1)", "Sul=(9/9)", "Ilha=(4/1)", "Leste=(4/1),(5/1),(5/2)"},
         3},
        {"same names: the line holding the seed is replaced",
         "Sul",
         true,
         {"Norte=(1/1)", "Sul=(9/9)", "Sul=(4/1),(5/1),(5/2)"},
         2},
    };
    for (const auto &row : table) {
        AreaList list({QStringLiteral("Norte=(1/1)"), QStringLiteral("Sul=(9/9)"), QStringLiteral("Ilha=(4/1)")});
        ASSERT_EQ(list.indexOfPoint({5, 2}), -1); // builds the index the store must refresh
        list.store(QString::fromUtf8(row.name), outline, row.sameNames);
        EXPECT_EQ(list.lines(), row.after) << row.what;
        EXPECT_EQ(list.indexOfPoint({5, 2}), row.storedAt) << row.what;
        EXPECT_EQ(list.indexOfName(QString::fromUtf8(row.name)), row.sameNames ? 1 : row.storedAt) << row.what;
    }
    AreaList list({QStringLiteral("Norte=(1/1)")});
    list.store(QStringLiteral("Sul"), outline, true);
    EXPECT_EQ(list.lines(), QStringList({"Norte=(1/1)", "Sul=(4/1),(5/1),(5/2)"}));
}

TEST(AreaList, TheSeedIsTheFirstPointAfterTheName) {
    EXPECT_EQ(AreaList::seedOf(QStringLiteral("Sul=(120/57),(121/57)")), QPoint(120, 57));
    EXPECT_EQ(AreaList::seedOf(QStringLiteral("Mato Grosso/Sul (MS)=(4/5)")), QPoint(4, 5));
    EXPECT_EQ(AreaList::seedOf(QStringLiteral("Fora=(-3/700)")), QPoint(-3, 700));
    EXPECT_EQ(AreaList::seedOf(QStringLiteral("Canto=(32767/-32767)")), QPoint(32767, -32767));
    // Numbers no picture reaches are refused: the map's offset is added to
    // the seed, and near the integer limit that sum would overflow.
    for (const char *line : {"Sul=(a/2)", "Sul=12/3)", "Sul=(1/2", "Sul=(1;2)", "Sul=(1/)", "Sul=", "Sul", "Sul=(1)/2",
                             "Sul=(1/2147483647)", "Sul=(32768/1)", "Sul=(5/-40000)", "Sul=(-2147483648/5)"}) {
        try {
            AreaList::seedOf(QString::fromUtf8(line));
            ADD_FAILURE() << line << " was accepted";
        } catch (const AppError &error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(line))) << error.message().toStdString();
        }
    }
}

TEST(AreaList, FilesAreReadAsWindows1252WithAnyLineEnd) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SPMun.Txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("S\xe3o Paulo=(1/1)\r\nGuaruj\xe1=(2/2)\nIlha\x96"
               "Bela=(3/3)\r\r\n");
    file.close();
    EXPECT_EQ(AreaList::readFile(path), QStringList({QStringLiteral("São Paulo=(1/1)"), QStringLiteral("Guarujá=(2/2)"),
                                                     QStringLiteral("Ilha\u2013Bela=(3/3)"), QString()}));
}

// What cannot be read is named, with the reason in Portuguese.
TEST(AreaList, AFileThatCannotBeReadIsNamedWithTheReason) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("pasta.Txt")));
    const struct {
        const char *name;
        const char *why;
    } cases[] = {
        {"falta.Txt", "arquivo não encontrado"},
        {"pasta.Txt", "é uma pasta, não um arquivo"},
    };
    for (const auto &c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        try {
            AreaList::readFile(path);
            FAIL() << c.name;
        } catch (const AppError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("Não foi possível ler a lista de áreas do mapa %1: %2")
                                           .arg(path, QString::fromUtf8(c.why)));
        }
    }
}
