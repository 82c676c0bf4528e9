// Test helper: a fixture for runs of the archive routine into a fresh target folder.
#pragma once

#include "cuninstallinfo.h"
#include "importzip.h"
#include "wortbreite.h"
#include "zip_hilfe.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace testzip {

inline bool ist_64() { return true; }
inline bool ist_32() { return false; }

// A fresh target folder "ziel" in a temporary folder, an empty uninstall map and a 64-bit system.
class InstallationsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        unistall_map().clear();
        ziel = dir.path() + "/ziel";
        QDir().mkpath(ziel);
        setze_wortbreiten_abfrage(ist_64);
    }
    void TearDown() override
    {
        unistall_map().clear();
        setze_wortbreiten_abfrage(nullptr);
    }

    bool lauf(int modus, const QString& zip, CCBaseLog* fenster, CUninstallInfo* info = nullptr)
    {
        return ImportZIP_installation(fenster, &modus, zip, ziel, info);
    }
    // The keys of the uninstall map, in its order.
    static QStringList schluessel()
    {
        QStringList r;
        for (const auto& e : unistall_map())
            r << e.first;
        return r;
    }

    QTemporaryDir dir;
    QString ziel;
};

// A log window that keeps the text lines as they come, HTML included.
struct HtmlLog : AufzeichnenderLog
{
    void neue_textzeile(const CQString& text, const int&) override { html << text; }
    QStringList html;
};

} // namespace testzip
