#include "base/table/column_title.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

// The marked column's title names the groups above it, outermost first.
TEST(ColumnTitle, TituloCampoJoinsTheLabelsOfTheEnclosingGroups) {
    TableFixture f;
    ASSERT_TRUE(f.tableRun.run(QStringLiteral("01.01.02"), selection(1)));
    EXPECT_EQ(ColumnTitle::TituloCampo(f.cdsDados, QStringLiteral("B1.B2")),
              QStringLiteral("Domicílios rústicos - Percentual"));
    EXPECT_EQ(ColumnTitle::TituloCampo(f.cdsDados, QStringLiteral("B4")), QStringLiteral("Total geral"));
}

// The picture titles: the topic's own description (not its heading and
// subheading), then the column's title.
TEST(ColumnTitle, LinesHoldTheTopicAndTheColumn) {
    TableFixture f;
    ASSERT_TRUE(f.tableRun.run(QStringLiteral("01.01.02"), selection(1)));
    EXPECT_EQ(ColumnTitle::lines(f.db, QStringLiteral("01.01.02"), f.cdsDados, QStringLiteral("B4")),
              (QStringList{QStringLiteral("Déficit por faixa de renda"), QStringLiteral("Total geral")}));
}
