// Shared main of the web test programs: shared OpenGL contexts, a personal folder of their own, then GoogleTest.
#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // The engine shares OpenGL contexts with the application; it must be told before it exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QTemporaryDir heim;
    setenv("HOME", QFile::encodeName(heim.path()).constData(), 1);
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
