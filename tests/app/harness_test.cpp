#include "base/data/app_error.h"
#include "support/modal_answerer.h"
#include "ui/app/solvane_application.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

// The window harness: a window opens offscreen, a control is found by its
// name and driven, and a modal box is answered.
TEST(Harness, WindowsRunOffscreenAndModalBoxesAreAnswered) {
    QMainWindow window;
    auto *button = new QPushButton(QStringLiteral("&Pesquisar"), &window);
    button->setObjectName(QStringLiteral("btnPesquisar"));
    window.setCentralWidget(button);
    QObject::connect(button, &QPushButton::clicked, [&window] {
        QMessageBox::information(&window, QStringLiteral("Solvane"), QStringLiteral("Não existe dados para exportar !"));
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    ModalAnswerer answerer;
    auto *found = window.findChild<QPushButton *>(QStringLiteral("btnPesquisar"));
    ASSERT_NE(found, nullptr);
    QTest::mouseClick(found, Qt::LeftButton);
    EXPECT_EQ(answerer.messages(), QStringList{QStringLiteral("Não existe dados para exportar !")});
}

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
