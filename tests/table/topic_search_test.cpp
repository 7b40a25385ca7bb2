#include "base/table/topic_search.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

// Every typed word must be in the title, whatever its case and accents.
TEST(TopicSearch, EveryWordIgnoringCaseAndAccents) {
    const struct {
        const char *title;
        const char *typed;
        bool found;
    } cases[] = {
        {"Déficit habitacional básico, domicílios rústicos", "deficit rustico", true},
        {"Déficit habitacional básico, domicílios rústicos", "  DÉFICIT   Rústicos ", true},
        {"Coabitação familiar", "coabitacao fam", true},
        {"Coabitação familiar", "coabitação rústico", false},
        {"Ônus excessivo com aluguel", "onus ALUGUEL", true},
        {"Adensamento excessivo", "adensamento excessivo urbano", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TopicSearch::matches(QString::fromUtf8(c.title), TopicSearch::words(QString::fromUtf8(c.typed))),
                  c.found)
            << c.title << " / " << c.typed;
    EXPECT_TRUE(TopicSearch::words(QStringLiteral("  \t")).isEmpty());
}

// The whole catalogue is searched, headings and tables, in its order.
TEST(TopicSearch, FindsTopicsOnEveryLevelOfTheCatalogue) {
    TableFixture t;
    EXPECT_EQ(TopicSearch::find(t.db, QStringLiteral("tabela incompleta")), (QStringList{"02.01", "02.01.01"}));
    EXPECT_EQ(TopicSearch::find(t.db, QStringLiteral("deficit renda")), QStringList{"01.01.02"});
    EXPECT_TRUE(TopicSearch::find(t.db, QStringLiteral("nada disso")).isEmpty());
    EXPECT_TRUE(TopicSearch::find(t.db, QString()).isEmpty());
}
