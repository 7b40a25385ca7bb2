// The lookup list shows a query's rows and keeps a key: code sets the key
// silently, only a user's pick announces itself, and the key outlives a
// refill of the rows.
#include "base/data/query.h"
#include "base/selection/territory_statements.h"
#include "panel_fixture.h"
#include "support/qstring_printer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QSignalSpy>
#include <QStyleFactory>
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

// A long list opens under its box as a drop-down of ten rows, in every style
// Qt ships (some open a menu as tall as the screen instead); a wide list is
// 220 pixels wide, the metropolitan one flush with the box's right edge.
TEST_F(LookupListTest, TheDropDownShowsTenRowsAtItsWidthInEveryStyle) {
    Query many{db};
    many.sql() =
        QStringList{QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 47)"),
                    QStringLiteral("select i as Unidade_Federativa, 'Estado ' || i as Descricao from n")};
    const QString original = QApplication::style()->name();
    for (const QString &styleName : QStyleFactory::keys()) {
        QApplication::setStyle(styleName);
        for (const bool alignRight : {false, true}) {
            SCOPED_TRACE(styleName.toStdString() + (alignRight ? ", aligned right" : ""));
            auto *wide = new LookupList(&window);
            wide->setQuery(&many, QStringLiteral("Unidade_Federativa"));
            wide->setDropDownWidth(220, alignRight);
            wide->setGeometry(200, 10, 150, wide->sizeHint().height());
            wide->show();
            many.close();
            many.open();
            ASSERT_EQ(wide->count(), 47);

            wide->showPopup();
            QAbstractItemView *view = wide->view();
            QWidget *popup = view->window();
            ASSERT_TRUE(popup->isVisible());
            EXPECT_EQ(view->viewport()->height() / view->sizeHintForRow(0), 10);
            EXPECT_GE(popup->width(), 220);
            EXPECT_GE(popup->y(), wide->mapToGlobal(QPoint(0, wide->height())).y() - 1);
            const int boxRight = wide->mapToGlobal(QPoint(wide->width() - 1, 0)).x();
            if (alignRight)
                EXPECT_EQ(popup->geometry().right(), boxRight);
            else
                EXPECT_EQ(popup->x(), wide->mapToGlobal(QPoint(0, 0)).x());
            wide->hidePopup();
            delete wide;
        }
    }
    QApplication::setStyle(original);
}
