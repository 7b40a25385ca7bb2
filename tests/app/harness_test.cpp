#include "base/data/app_error.h"
#include "support/modal_answerer.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

// An error raised inside an event handler stops at the application and shows
// the error box with its own text; the program goes on.
TEST(Harness, ErrorsInHandlersReachTheErrorBox) {
    QPushButton button(QStringLiteral("x"));
    QObject::connect(&button, &QPushButton::clicked, [] { throw AppError(QStringLiteral("no such table: 0199")); });
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    ModalAnswerer answerer;
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(answerer.messages(), QStringList{QStringLiteral("no such table: 0199")});
}
