// Test main: runs every test inside a headless QApplication.
#include "ereignisuebernahme.h"
#include "sanitizervorgaben.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    // Tests never need a display; set the platform only when the caller has not chosen one.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    CEreignisUebernahme uebernahme;
    app.installEventFilter(&uebernahme);
    const int ergebnis = RUN_ALL_TESTS();
    if (GTEST_FLAG_GET(list_tests)) {
        // ctest lists every program's tests before a run, one program after the other. A listing
        // runs no test: it ends without the exit handlers, whose leak check is most of its time
        // under AddressSanitizer.
        std::fflush(nullptr);
        std::_Exit(ergebnis);
    }
    return ergebnis;
}
