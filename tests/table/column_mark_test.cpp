#include "base/table/column_mark.h"
#include "core/table/cell_colors.h"

#include <gtest/gtest.h>

namespace {

TEST(ColumnMarkTest, ClickMarksMovesAndRemoves) {
    ColumnMark mark;
    mark.click(3, "A2", "A1.A2");
    EXPECT_EQ(mark.tag, 3);
    EXPECT_EQ(mark.FCampoMarcado, QStringLiteral("A2"));
    EXPECT_EQ(mark.FCampoPercentual, QStringLiteral("A1.A2"));
    mark.click(4, "A3", "A3");
    EXPECT_EQ(mark.tag, 4);
    EXPECT_EQ(mark.FCampoPercentual, QStringLiteral("A3"));
    mark.click(4, "A3", "A3");
    EXPECT_EQ(mark.tag, 0);
    EXPECT_TRUE(mark.FCampoMarcado.isEmpty());
    EXPECT_TRUE(mark.FCampoPercentual.isEmpty());
    // Column 0 is the value that means no mark.
    mark.click(0, "A3", "A3");
    EXPECT_EQ(mark.tag, 0);
    EXPECT_TRUE(mark.FCampoMarcado.isEmpty());
}

TEST(ColumnMarkTest, LongFullNamesAreKeptUpToFiftyCharacters) {
    for (const int length : {47, 48, 50, 60}) {
        ColumnMark mark;
        const QString fullName = QStringLiteral("G.") + QString(length - 2, QLatin1Char('p'));
        mark.click(2, fullName.mid(2), fullName);
        EXPECT_EQ(mark.FCampoPercentual, fullName.left(50)) << length;
    }
}

TEST(CellColorsTest, TotalAlternateAndMarked) {
    const struct {
        bool total;
        int recNo;
        bool marked;
        const char *rgb;
    } cases[] = {
        {true, 1, false, "#ffae5e"}, {true, 2, true, "#dd6f00"},   {false, 2, false, "#ffd8b0"},
        {false, 2, true, "#ffae88"}, {false, 1, false, "#ffffd5"}, {false, 3, true, "#ffff82"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CellColors::brush(c.total, c.recNo, c.marked).name(), QString::fromUtf8(c.rgb)) << c.rgb;
    EXPECT_EQ(CellColors::text(true).name(), QStringLiteral("#000080"));
}

} // namespace
