#include "app/main_window_fixture.h"
#include "base/data/database.h"
#include "base/data/query.h"
#include "support/fixture_database.h"
#include "ui/app/main_frm.h"
#include "ui/app/topic_tree.h"
#include "ui/app/tree_index.h"

#include <QLabel>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QStringList childTexts(const QTreeWidgetItem *node) {
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i)
        texts << node->child(i)->text(0);
    return texts;
}

QTreeWidgetItem *twin(MainWindowFixture &f, QTreeWidgetItem *node) {
    return TreeIndex::itemAt(*f.codes(), TreeIndex::indexOf(*node));
}

// Counts the statements the topic query runs.
struct OpenCounter {
    explicit OpenCounter(Query *query) { QObject::connect(query, &Query::afterOpen, [this] { ++opens; }); }
    int opens = 0;
};

void clickNode(QTreeWidget *tree, QTreeWidgetItem *node) {
    tree->scrollToItem(node);
    const QRect rect = tree->visualItemRect(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 4, rect.center().y()));
}

} // namespace

TEST(TopicTree, UnloadedNodesHoldOnePlaceholderInBothTreesAndTheTableAtTopLevelNone) {
    MainWindowFixture f;
    QTreeWidgetItem *vagos = f.node(QStringLiteral("Domicílios vagos"));
    ASSERT_NE(vagos, nullptr);
    EXPECT_EQ(childTexts(vagos), QStringList{TopicTree::kPlaceholder});
    EXPECT_EQ(childTexts(twin(f, vagos)), QStringList{TopicTree::kPlaceholder});
    EXPECT_EQ(twin(f, vagos)->text(0), QStringLiteral("04"));

    QTreeWidgetItem *municipios = f.node(QStringLiteral("Municípios selecionados"));
    EXPECT_EQ(municipios->childCount(), 0);
    EXPECT_EQ(twin(f, municipios)->childCount(), 0);
    EXPECT_EQ(TopicTree::picture(*municipios), TopicTree::ClosedTopic);

    // The second level of an open topic waits with its own placeholders.
    QTreeWidgetItem *coabitacao = f.node(QStringLiteral("Coabitação familiar"));
    EXPECT_EQ(childTexts(coabitacao), QStringList{TopicTree::kPlaceholder});
    EXPECT_EQ(twin(f, coabitacao)->text(0), QStringLiteral("01.02"));
}

TEST(TopicTree, ExpandingLoadsOneLevelWithTheStatementAndReExpandingReadsNothing) {
    MainWindowFixture f;
    auto *query = f.window().findChild<Query *>(QStringLiteral("qNivelInf"));
    OpenCounter counter(query);

    QTreeWidgetItem *vagos = f.node(QStringLiteral("Domicílios vagos"));
    f.tree()->expandItem(vagos);
    EXPECT_EQ(counter.opens, 1);
    EXPECT_EQ(query->sql(), (QStringList{QStringLiteral("select Nivel_Informacao, Descricao"),
                                         QStringLiteral("  From Nivel_Informacao"),
                                         QStringLiteral(" where Len(Nivel_Informacao) = 5"),
                                         QStringLiteral("   and Left(Nivel_Informacao,2) = '04'"),
                                         QStringLiteral("order by Nivel_Informacao")}));
    EXPECT_FALSE(query->isActive());
    EXPECT_EQ(childTexts(vagos), QStringList{QStringLiteral("Vagos por condição")});
    EXPECT_EQ(childTexts(vagos->child(0)), QStringList{TopicTree::kPlaceholder});
    EXPECT_EQ(TopicTree::picture(*vagos), TopicTree::OpenTopic);

    QTreeWidgetItem *componente = f.node(QStringLiteral("Déficit por componente"));
    f.tree()->expandItem(componente);
    EXPECT_EQ(counter.opens, 2);
    EXPECT_EQ(query->sql().value(2), QStringLiteral(" where Len(Nivel_Informacao) = 8"));
    EXPECT_EQ(query->sql().value(3), QStringLiteral("   and Left(Nivel_Informacao,5) = '01.01'"));
    ASSERT_EQ(childTexts(componente), (QStringList{QStringLiteral("Déficit por componente"), QStringLiteral("Domicílios rústicos")}));
    EXPECT_EQ(childTexts(twin(f, componente)), (QStringList{QStringLiteral("01.01.01"), QStringLiteral("01.01.02")}));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(TopicTree::picture(*componente->child(i)), TopicTree::Table);
        EXPECT_EQ(componente->child(i)->childCount(), 0);
    }

    f.tree()->collapseItem(componente);
    EXPECT_EQ(TopicTree::picture(*componente), TopicTree::ClosedTopic);
    f.tree()->expandItem(componente);
    f.tree()->collapseItem(vagos);
    f.tree()->expandItem(vagos);
    EXPECT_EQ(counter.opens, 2);
    EXPECT_EQ(TopicTree::picture(*componente), TopicTree::OpenTopic);
    EXPECT_EQ(componente->childCount(), 2);
    EXPECT_EQ(vagos->childCount(), 1);
}

// Choosing a node, as the user does with a click.
struct SelectionCase {
    QString title;
    QString code;
    int titlePoints;
    int picture;
};

TEST(TopicTree, ChoosingANodeRecordsItsCodeAndTitlesTheDataPage) {
    MainWindowFixture f;
    TMain_Frm &w = f.window();
    ASSERT_TRUE(f.show());
    f.tree()->expandItem(f.node(QStringLiteral("Infraestrutura")));
    f.tree()->collapseItem(f.node(QStringLiteral("Infraestrutura")));
    f.tree()->expandItem(f.node(QStringLiteral("Infraestrutura")));

    const QString seventy = QStringLiteral("Tabela com um título longo de exatamente setenta caracteres para teste");
    const QString seventyOne = QStringLiteral("Tabela com um título longo de exatamente setenta e um caracteres p/ tes");
    ASSERT_EQ(seventy.size(), 70);
    ASSERT_EQ(seventyOne.size(), 71);
    const SelectionCase cases[] = {
        {seventyOne, QStringLiteral("02.01.02"), 8, TopicTree::Table},
        {seventy, QStringLiteral("02.01.01"), 10, TopicTree::Table},
        {QStringLiteral("Municípios selecionados"), QStringLiteral("03"), 10, TopicTree::ClosedTopic},
        {QStringLiteral("Infraestrutura"), QStringLiteral("02.01"), 10, TopicTree::OpenTopic},
        {QStringLiteral("Coabitação familiar"), QStringLiteral("01.02"), 10, TopicTree::ClosedTopic},
        {QStringLiteral("Déficit habitacional"), QStringLiteral("01"), 10, TopicTree::OpenTopic},
    };
    QLabel *title = f.label("pnlTituloDados");
    for (const SelectionCase &c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        QTreeWidgetItem *node = f.node(c.title);
        ASSERT_NE(node, nullptr);
        clickNode(f.tree(), node);
        EXPECT_EQ(w.nivelSelecionado(), c.code);
        EXPECT_EQ(title->text(), c.title);
        EXPECT_EQ(title->font().pointSize(), c.titlePoints);
        EXPECT_TRUE(title->font().bold());
        EXPECT_EQ(TopicTree::picture(*node), c.picture);
    }
}

TEST(TopicTree, AbsoluteIndexCountsCollapsedBranches) {
    QTreeWidget tree;
    auto *a = new QTreeWidgetItem(&tree, {QStringLiteral("a")});
    auto *a1 = new QTreeWidgetItem(a, {QStringLiteral("a1")});
    auto *a1x = new QTreeWidgetItem(a1, {QStringLiteral("a1x")});
    auto *a2 = new QTreeWidgetItem(a, {QStringLiteral("a2")});
    auto *b = new QTreeWidgetItem(&tree, {QStringLiteral("b")});
    auto *b1 = new QTreeWidgetItem(b, {QStringLiteral("b1")});
    const QList<QTreeWidgetItem *> order = {a, a1, a1x, a2, b, b1};
    for (int i = 0; i < order.size(); ++i) {
        EXPECT_EQ(TreeIndex::indexOf(*order[i]), i);
        EXPECT_EQ(TreeIndex::itemAt(tree, i), order[i]);
    }
    EXPECT_EQ(TreeIndex::itemAt(tree, 6), nullptr);
    EXPECT_EQ(TreeIndex::itemAt(tree, -1), nullptr);
    EXPECT_EQ(TreeIndex::level(*a1x), 2);
}

// More nodes in one level than a signed 8-bit position counter can reach:
// 70 second-level topics, each with a placeholder (two positions each), and
// 99 tables.
TEST(TopicTree, LevelsLargerThanAByteCounterLoadWhole) {
    QString sql = QStringLiteral("begin;\ncreate table Nivel_Informacao (Nivel_Informacao text, Descricao text);\n"
                                 "insert into Nivel_Informacao values ('01', 'Um'), ('02', 'Dois');\n");
    for (int i = 1; i <= 70; ++i)
        sql += QStringLiteral("insert into Nivel_Informacao values ('01.%1', 'Tópico %1');\n").arg(i, 2, 10, QLatin1Char('0'));
    for (int i = 1; i <= 99; ++i)
        sql += QStringLiteral("insert into Nivel_Informacao values ('01.70.%1', 'Tabela %1');\n").arg(i, 2, 10, QLatin1Char('0'));
    FixtureDatabase fixture(sql + QStringLiteral("commit;\n"));
    Database db;
    db.setPath(fixture.path());
    db.setConnected(true);
    Query query(db);
    QTreeWidget tree;
    QTreeWidget codes;
    TopicTree topics(tree, codes, query);

    topics.load(0, 0, QString());
    topics.load(1, 0, QStringLiteral("01"));
    QTreeWidgetItem *one = tree.topLevelItem(0);
    ASSERT_EQ(one->childCount(), 70);
    for (int i = 0; i < 70; ++i)
        EXPECT_EQ(childTexts(one->child(i)), QStringList{TopicTree::kPlaceholder});
    EXPECT_EQ(codes.topLevelItem(0)->child(69)->text(0), QStringLiteral("01.70"));
    EXPECT_EQ(tree.topLevelItem(1)->text(0), QStringLiteral("Dois"));

    QTreeWidgetItem *last = one->child(69);
    topics.load(2, TreeIndex::indexOf(*last), QStringLiteral("01.70"));
    ASSERT_EQ(last->childCount(), 99);
    EXPECT_EQ(last->child(98)->text(0), QStringLiteral("Tabela 99"));
    EXPECT_EQ(topics.codeOf(*last->child(98)), QStringLiteral("01.70.99"));
    EXPECT_EQ(TopicTree::picture(*last->child(98)), TopicTree::Table);
    EXPECT_EQ(childTexts(tree.topLevelItem(1)), QStringList{TopicTree::kPlaceholder});
}
