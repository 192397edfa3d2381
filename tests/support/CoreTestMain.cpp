// The main of the test programs without widgets: a Qt core application, whose event loop a driver may
// run inside a call, then all GoogleTest tests.

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
