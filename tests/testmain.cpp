// Test main: runs every test inside a headless QApplication.
#include "ereignisuebergabe.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <cstdlib>

// Read by LeakSanitizer in sanitizer builds: Qt's offscreen platform keeps its screen objects
// until the process ends.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libqoffscreen.so\n"
           "leak:QScreen::QScreen\n"
           "leak:QWindowSystemInterface::handleScreenAdded\n"
           "leak:QPlatformScreen::QPlatformScreen\n";
}

// Read by ThreadSanitizer in its build: Qt is not instrumented, so the sanitizer cannot see the
// ordering of its atomic reference counts and reports the release of shared string data.
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt5Core.so.5\n";
}

// Every event reaches the application's filters before any receiver reads it: there the posted
// events that crossed threads are taken over for ThreadSanitizer (nothing in other builds).
class CEreignisUebernahme : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* ereignis) override
    {
        uebernimm_ereignis(ereignis);
        return false;
    }
};

int main(int argc, char** argv)
{
    // Tests never need a display; set the platform only when the caller has not chosen one.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    CEreignisUebernahme uebernahme;
    app.installEventFilter(&uebernahme);
    return RUN_ALL_TESTS();
}
