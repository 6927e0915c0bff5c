#include <QCoreApplication>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    SetUpTestEnvironment();
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
