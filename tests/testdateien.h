// Files of a test written into a temporary folder, and QString in test messages.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

// Writes `inhalt` to `name` below `ordner`, making the folders on the way; the file's path.
inline QString schreibe_datei(const QTemporaryDir& ordner, const QString& name, const QByteArray& inhalt)
{
    const QString datei = ordner.filePath(name);
    QDir().mkpath(QFileInfo(datei).path());
    QFile f(datei);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << datei.toStdString();
    f.write(inhalt);
    return datei;
}

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
