// The main of widget tests: one application object for the whole run.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // The build lists the tests without a display; the test runs set this too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
