// Test programs that need their own personal folder: HOME points at a temporary folder before any test.
#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

// The personal folder is found once per process, by the first settings object or the settings'
// look when the application starts: HOME is set as the program is loaded, before main() makes the
// application, as it stands for a user's program from its start.
class HeimOrdner : public ::testing::Environment
{
public:
    HeimOrdner()
    {
        ordner = new QTemporaryDir;
        setenv("HOME", QFile::encodeName(ordner->path()).constData(), 1);
    }

    // The folder, valid from the first test on.
    static QTemporaryDir& gib() { return *ordner; }

private:
    static inline QTemporaryDir* ordner = nullptr;
};

inline ::testing::Environment* const heim_ordner_umgebung = ::testing::AddGlobalTestEnvironment(new HeimOrdner);
