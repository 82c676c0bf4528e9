// Helpers of the core tests: log targets that collect message lines, switch settings, a working folder.
#pragma once

#include "clogbase.h"
#include "dateigrenze.h"
#include "kerneinstellungen.h"
#include "wecker.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Collects the window lines of `melde` (std::string side) and of `qmelde` (CQString side).
class SammelZiel : public CQLogBase
{
public:
    SammelZiel() { anmelden(); }
    ~SammelZiel() override { abmelden(); }

    void setze_fortschritt(int) override {}
    void setze_info(int, int) override {}
    void neue_textzeile(const std::string& text, const int& level) override
    {
        zeilen.push_back(text);
        level_liste.push_back(level);
    }
    void neue_textzeile(const CQString& text, const int& level) override
    {
        qzeilen.push_back(text);
        level_liste.push_back(level);
    }
    void neue_zusatzzeile(const CQString&) override {}
    void neue_titelzeile(const CQString&) override {}
    void titel_data(const CQString&) override {}

    // Number of `melde` lines that contain the text.
    int zaehle(const std::string& teil) const
    {
        int n = 0;
        for (const std::string& z : zeilen)
            n += z.find(teil) != std::string::npos;
        return n;
    }
    void leere()
    {
        zeilen.clear();
        qzeilen.clear();
        level_liste.clear();
    }

    std::vector<std::string> zeilen;
    std::vector<QString> qzeilen;
    std::vector<int> level_liste;
};

// Settings with a comma as decimal separator and a chosen time format.
class TestEinstellungen : public CKernEinstellungen
{
public:
    std::string dezimaltrennzeichen() const override { return trenner; }
    unsigned zeitformat() const override { return format; }

    std::string trenner = ",";
    unsigned format = 0;
};

// Installs the settings for the lifetime of the object.
class EinstellungenWahl
{
public:
    explicit EinstellungenWahl(TestEinstellungen& e) : vorher(setze_kern_einstellungen(&e)) {}
    ~EinstellungenWahl() { setze_kern_einstellungen(vorher); }

private:
    CKernEinstellungen* vorher;
};

// Makes a fresh temporary folder the working folder, and goes back afterwards.
class TestOrdner
{
public:
    TestOrdner() : vorher(QDir::currentPath()) { QDir::setCurrent(ordner.path()); }
    ~TestOrdner() { QDir::setCurrent(vorher); }
    QString pfad(const QString& name) const { return ordner.filePath(name); }

private:
    QString vorher;
    QTemporaryDir ordner;
};

// A named pipe at `pfad`: opening it waits for the other end, so a program that takes it for a
// file hangs.
inline bool lege_rohr_an(const QString& pfad)
{
    return mkfifo(QFile::encodeName(pfad).constData(), 0600) == 0;
}

