// Test main: runs every test inside a headless QApplication.
#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <cstdlib>

int main(int argc, char** argv)
{
    // Tests never need a display; set the platform only when the caller has not chosen one.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
