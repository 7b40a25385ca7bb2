#include "support/test_environment.h"
#include "ui/app/solvane_application.h"

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    prepareTestEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    SolvaneApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
