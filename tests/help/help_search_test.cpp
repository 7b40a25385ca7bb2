#include "support/qstring_printer.h"
#include "ui/extras/help_search.h"

#include <gtest/gtest.h>

// The help's search finds what is typed whatever its accents and case, and
// gives the match in the text's own positions, accented letters counted once.
TEST(HelpSearch, FindsTheTypedTextIgnoringAccentsAndCase) {
    const QString text = QStringLiteral("Déficit: a Coabitação familiar e os rústicos; coabitação de novo.");
    const HelpSearch search(text);
    const struct {
        const char *typed;
        int from;
        const char *found; // the text matched; null for none
        int position;
    } cases[] = {
        {"coabitacao", 0, "Coabitação", 11},
        {"COABITAÇÃO", 0, "Coabitação", 11},
        {"coabitacao", 12, "coabitação", 46},  // the next one
        {"coabitacao", 47, "Coabitação", 11},  // from the start again
        {"  rustico  ", 0, "rústico", 36},     // blanks around ignored
        {"deficit: a", 0, "Déficit: a", 0},
        {"telhado", 0, nullptr, -1},
        {"   ", 0, nullptr, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        const HelpSearch::Match match = search.find(QString::fromUtf8(c.typed), c.from);
        ASSERT_EQ(match.found(), c.found != nullptr);
        EXPECT_EQ(match.position, c.position);
        if (c.found) {
            EXPECT_EQ(text.mid(match.position, match.length), QString::fromUtf8(c.found));
        }
    }
}

// A letter written as a base and a combining accent is one letter to the
// reader: a match ending on that letter takes the accent along.
TEST(HelpSearch, ACombiningAccentBelongsToItsLetter) {
    const QString text = QStringLiteral("habitac") + QChar(0x0327) + QStringLiteral("a") + QChar(0x0303) +
                         QStringLiteral("o urbana");
    const HelpSearch search(text);
    for (const auto &[typed, length] : {std::pair{"habitação", 11}, std::pair{"habitac", 8}}) {
        const HelpSearch::Match match = search.find(QString::fromUtf8(typed));
        ASSERT_TRUE(match.found()) << typed;
        EXPECT_EQ(match.position, 0) << typed;
        EXPECT_EQ(match.length, length) << typed;
    }
}
