// Test seams: descriptors with bounds, kinds and units, variables that point to them, and a settable decimal separator.
#pragma once

#include "cfehler.h"
#include "cvariablesteuer.h"
#include "kerneinstellungen.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <log4cpp/Category.hh>
#include <log4cpp/PatternLayout.hh>
#include <log4cpp/StringQueueAppender.hh>
#include <string>
#include <vector>

// A descriptor whose bounds, kind and attribute a test sets; the program itself builds none with bounds.
template <typename T>
class TestBeschreiber : public CVariableBeschrTemplate<T>
{
public:
    explicit TestBeschreiber(const std::string& name = "TestBeschreiber", const std::string& einheit = "",
                             bool mit_vorgabe = false, const T& vorgabe = T())
        : CVariableBeschrTemplate<T>(name, "Testbeschreibung", einheit, klasse_funktion, mit_vorgabe, vorgabe, 20,
                                     nullptr, false, 99999999, 0, 0, 0, 0, 0, 5, false, false, false)
    {
    }

    void zulaessig(const T& unten, const T& oben)
    {
        this->zulaessig_unten = unten;
        this->zulaessig_oben = oben;
    }
    void plausibel(const T& unten, const T& oben)
    {
        this->plausibel_unten = unten;
        this->plausibel_oben = oben;
    }
    void art(int a) { this->arten[0] = a; }
    void attribut_setzen(int a) { this->attribut = a; }
    void schalter_1(bool s) { this->schalter[0] = s; }
    void anzeige(int anzeigestellen, int nachkommastellen)
    {
        this->anzeigestellen = anzeigestellen;
        this->nachkommastellen = nachkommastellen;
    }
    void anzeigeeinheit(EEinheit e) { this->einheit2 = e; }
};

// A registered variable that uses a test descriptor instead of its type's global one.
template <typename T>
class TestVariable : public CVariableSteuer<T>
{
public:
    TestVariable(const std::string& schluessel, const T& vorgabe, CVariableBeschr* beschreiber)
        : CVariableSteuer<T>(schluessel, vorgabe, "Testvariable", "")
    {
        this->beschreibung = beschreiber;
    }
};

// Decimal separator of the settings, for the duration of a test.
class Trennzeichen : public CKernEinstellungen
{
public:
    explicit Trennzeichen(const std::string& z) : zeichen(z), vorher(setze_kern_einstellungen(this)) {}
    ~Trennzeichen() override { setze_kern_einstellungen(vorher); }
    std::string dezimaltrennzeichen() const override { return zeichen; }

private:
    std::string zeichen;
    CKernEinstellungen* vorher;
};

// Runs the call and returns the CFehler it raises; fails the test when it raises none.
template <typename F>
CFehler fange_fehler(F&& aufruf)
{
    try {
        aufruf();
    } catch (const CFehler& f) {
        return f;
    }
    ADD_FAILURE() << "kein CFehler";
    return CFehler(99, nullptr, "", "");
}

// Runs the test part in a folder of its own, so that its "fehler.txt" is its own; returns that file's text.
template <typename F>
QByteArray fehlerdatei_nach(F&& aufruf)
{
    QTemporaryDir ordner;
    const QString vorher = QDir::currentPath();
    QDir::setCurrent(ordner.path());
    aufruf();
    QFile datei(QStringLiteral("fehler.txt"));
    const QByteArray inhalt = datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    QDir::setCurrent(vorher);
    return inhalt;
}

// Collects the logger's lines ("<priority> <text>") while it lives.
class LogMitschnitt
{
public:
    LogMitschnitt()
    {
        auto* layout = new log4cpp::PatternLayout;
        layout->setConversionPattern("%p %m");
        appender->setLayout(layout);
        wurzel.setPriority(log4cpp::Priority::DEBUG);
        wurzel.addAppender(appender);
    }
    ~LogMitschnitt() { wurzel.removeAppender(appender); }

    std::vector<std::string> zeilen()
    {
        std::vector<std::string> z;
        for (auto& q = appender->getQueue(); !q.empty(); q.pop())
            z.push_back(q.front());
        return z;
    }

private:
    log4cpp::Category& wurzel = log4cpp::Category::getRoot();
    log4cpp::StringQueueAppender* appender = new log4cpp::StringQueueAppender("mitschnitt");
};
