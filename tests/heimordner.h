// Test programs that need their own personal folder: HOME points at a temporary folder before any test.
#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

// The personal folder is found once per process, so HOME is set before the first test runs.
class HeimOrdner : public ::testing::Environment
{
public:
    void SetUp() override
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
