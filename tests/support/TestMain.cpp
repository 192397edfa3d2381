// The main of every test program: Qt on the offscreen platform (unless the caller chose another), the
// application's dialog colours and number format, then all GoogleTest tests.

#include "framework/Application.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    SetDialogColours(app);
    UseCNumberFormat();
    return RUN_ALL_TESTS();
}
