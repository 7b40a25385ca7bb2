// The lookup list shows a query's rows and keeps a key: code sets the key
// silently, only a user's pick announces itself, and the key outlives a
// refill of the rows.
#include "data/query.h"
#include "panel_fixture.h"
#include "qstring_printer.h"
#include "selection/territory_statements.h"

#include <QSignalSpy>
#include <QTest>

namespace {

class LookupListTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.setPath(fixture.path());
        db.setConnected(true);
        list = new LookupList(&window);
        list->setQuery(&states, QStringLiteral("Unidade_Federativa"));
        states.sql() = TerritoryStatements::states(0);
        states.open();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    FixtureDatabase fixture{selectionStudySql()};
    Database db;
    Query states{db};
    QWidget window;
    LookupList *list = nullptr;
};

} // namespace

TEST_F(LookupListTest, CodeSetsTheKeySilentlyAndAUserPickIsAnnounced) {
    EXPECT_EQ(entries(list), (QStringList{"<Todas>", "Alagoas", "Pará", "Pernambuco"}));
    QSignalSpy picked(list, &LookupList::picked);

    list->setKey(26);
    EXPECT_EQ(list->currentText(), "Pernambuco");
    EXPECT_EQ(list->fieldValue("Sigla").toString(), "PE");
    EXPECT_EQ(picked.count(), 0);

    pick(list, "Pará");
    EXPECT_EQ(picked.count(), 1);
    EXPECT_EQ(list->key(), 15);

    // Picking the shown entry again is a pick too.
    pick(list, "Pará");
    EXPECT_EQ(picked.count(), 2);
}

TEST_F(LookupListTest, TheKeyOutlivesARefillAndShowsEmptyWhenTheRowsLackIt) {
    list->setKey(15);
    states.close();
    states.sql() = TerritoryStatements::states(2);
    states.open();
    EXPECT_EQ(entries(list), (QStringList{"<Todas>", "Alagoas", "Pernambuco"}));
    EXPECT_EQ(list->key(), 15);
    EXPECT_EQ(list->currentText(), "");
    EXPECT_TRUE(list->fieldValue("Sigla").isNull());

    states.close();
    states.sql() = TerritoryStatements::states(0);
    states.open();
    EXPECT_EQ(list->currentText(), "Pará");
}
