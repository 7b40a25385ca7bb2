// The kept selection of the municipality picker: both records stay sorted as
// a Portuguese reader expects, and ticks and unticks keep them in step.
#include "base/selection/municipality_pick.h"
#include "support/qstring_printer.h"

#include <gtest/gtest.h>

using S = QStringList;

TEST(MunicipalityPick, BothRecordsStaySortedByName) {
    MunicipalityPick pick;
    pick.tick("Recife", "2611606", "PE");
    pick.tick("Óbidos", "1505106", "PA");
    pick.tick("abaetetuba", "1500107", "PA");
    pick.tick("Água Branca", "2700201", "AL");
    pick.tick("Jaboatão", "2607901", "PE");

    EXPECT_EQ(pick.selection(),
              (S{"abaetetuba/1500107", "Água Branca/2700201", "Jaboatão/2607901", "Óbidos/1505106", "Recife/2611606"}));
    EXPECT_EQ(pick.view(), (S{"abaetetuba - PA", "Água Branca - AL", "Jaboatão - PE", "Óbidos - PA", "Recife - PE"}));
    EXPECT_TRUE(pick.isTicked("Óbidos", "PA"));
    EXPECT_FALSE(pick.isTicked("Óbidos", "PE"));
}

TEST(MunicipalityPick, UntickUndoesTickAndIgnoresWhatIsNotTicked) {
    MunicipalityPick pick;
    pick.tick("Recife", "2611606", "PE");
    pick.tick("Maceió", "2704302", "AL");
    const S selection = pick.selection();
    const S view = pick.view();

    pick.tick("Jaboatão", "2607901", "PE");
    pick.untick("Jaboatão", "2607901", "PE");
    EXPECT_EQ(pick.selection(), selection);
    EXPECT_EQ(pick.view(), view);

    // Same name under another state: not this selection's line.
    pick.untick("Recife", "2611606", "AL");
    EXPECT_EQ(pick.selection(), selection);

    // Ticking twice keeps one entry, so one untick removes it.
    pick.tick("Recife", "2611606", "PE");
    pick.untick("Recife", "2611606", "PE");
    EXPECT_EQ(pick.selection(), S{"Maceió/2704302"});
    EXPECT_EQ(pick.view(), S{"Maceió - AL"});

    pick.clear();
    EXPECT_TRUE(pick.selection().isEmpty());
    EXPECT_TRUE(pick.view().isEmpty());
}
