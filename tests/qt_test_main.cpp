#include <QApplication>

#include <gtest/gtest.h>

// Widget and image tests need an application object; the platform is chosen
// by CTest's environment (offscreen).
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Also when CTest lists the tests, which it does without the tests' environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
