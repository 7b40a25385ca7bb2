#include "support/test_environment.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
    prepareTestEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
