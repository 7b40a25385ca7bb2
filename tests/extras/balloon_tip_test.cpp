#include "ui/widgets/balloon_tip.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

void askForTip(QWidget *widget, QPoint pos) {
    QHelpEvent event(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST(BalloonTip, ShowsAControlsTipUnderTheMouseAndHidesOnAKey) {
    BalloonTip::install();
    QPushButton button(QStringLiteral("&Pesquisar"));
    button.setToolTip(QStringLiteral("Executa a consulta com os filtros escolhidos"));
    button.resize(120, 30);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));

    askForTip(&button, QPoint(10, 10));
    BalloonTip *tip = BalloonTip::current();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->text(), button.toolTip());
    // Below the mouse, and wide enough for the whole line.
    const QPoint mouse = button.mapToGlobal(QPoint(10, 10));
    EXPECT_GT(tip->geometry().top(), mouse.y());
    EXPECT_GT(tip->width(), QFontMetrics(tip->font()).horizontalAdvance(button.toolTip()));

    QTest::keyClick(&button, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(BalloonTip::current(), nullptr);
}

TEST(BalloonTip, ShowsTheTipOfTheItemUnderTheMouseInATree) {
    BalloonTip::install();
    QTreeWidget tree;
    auto *item = new QTreeWidgetItem(&tree, {QStringLiteral("Déficit habitacional por situação do domicílio")});
    item->setToolTip(0, item->text(0));
    tree.resize(160, 200);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));

    askForTip(tree.viewport(), tree.visualItemRect(item).center());
    ASSERT_NE(BalloonTip::current(), nullptr);
    EXPECT_EQ(BalloonTip::current()->text(), item->text(0));

    // Below the last item there is no tip, and the balloon goes.
    askForTip(tree.viewport(), QPoint(20, 180));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(BalloonTip::current(), nullptr);
}
