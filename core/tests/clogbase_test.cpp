// Log targets: flags, group membership, and reports from several threads while targets come and go.
#include "clogbase.h"
#include "kerneinstellungen.h"
#include "klassen.h"
#include "melde.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <thread>

namespace {

class Ziel : public CQLogBase
{
public:
    Ziel() { anmelden(); }
    ~Ziel() override
    {
        abmelden();
        lebendig = false;
    }
    using CQLogBase::neue_textzeile;
    void setze_fortschritt(int s) override { schritt = s; }
    void setze_info(int, int) override {}
    void neue_textzeile(const CQString& t, const int&) override
    {
        // A call after the object left its groups would find it dead.
        if (!lebendig)
            std::abort();
        std::lock_guard<std::mutex> lock(mutex);
        letzte = t;
        ++anzahl;
    }
    void neue_zusatzzeile(const CQString&) override {}
    void neue_titelzeile(const CQString& t) override { titel = t; }
    void titel_data(const CQString&) override {}

    std::mutex mutex;
    std::atomic<bool> lebendig{true};
    std::atomic<int> anzahl{0};
    int schritt = -1;
    QString letzte;
    QString titel;
};

} // namespace

TEST(CLogBase, MarkenUndZuruecksetzen)
{
    Ziel z;
    EXPECT_TRUE(z.ist_ok());
    EXPECT_TRUE(z.ohne_warnung());
    EXPECT_FALSE(z.ist_abbruch());
    z.setze_fehler();
    z.setze_warnung();
    z.setze_abbruch();
    EXPECT_FALSE(z.ist_ok());
    EXPECT_FALSE(z.ohne_warnung());
    z.setze_zurueck();
    EXPECT_TRUE(z.ist_ok());
    EXPECT_TRUE(z.ohne_warnung());
    EXPECT_TRUE(z.ist_abbruch());
    EXPECT_FALSE(z.ist_abgebrochen());
    EXPECT_EQ(z.gib_handle(), -1);
    z.setze_handle(7);
    EXPECT_EQ(z.gib_handle(), 7);
}

TEST(CLogBase, WeiterleitungenDerBasis)
{
    Ziel z;
    CLogBase& b = z;
    b.setze_fortschritt(5, 99);
    EXPECT_EQ(z.schritt, 5);
    b.neue_textzeile_2(std::string("\xc3\xa4"), 0);
    EXPECT_EQ(z.letzte, QString::fromUtf8("ä"));
    b.neue_textzeile_3(std::string("drei"), 0);
    EXPECT_EQ(z.letzte, QString("drei"));
    b.neue_titelzeile(std::string("T"));
    EXPECT_EQ(z.titel, QString("T"));
    EXPECT_TRUE(z.ist_bereit());
    EXPECT_TRUE(z.kann_html());
}

TEST(CLogBase, MitgliedschaftInBeidenGruppen)
{
    CLogBase* adresse;
    {
        Ziel z;
        adresse = &z;
        EXPECT_TRUE(gib_log_gruppe().enthaelt(adresse));
        EXPECT_TRUE(gib_qlog_ziele().enthaelt(adresse));
        EXPECT_TRUE(gib_qlog_ziele().alle_bereit());
        qmelde(5, klasse_kurz, "m", "x", nullptr, true);
        melde(5, klasse_kurz, "m", "y");
        EXPECT_EQ(z.anzahl, 2);
    }
    EXPECT_FALSE(gib_log_gruppe().enthaelt(adresse));
    EXPECT_FALSE(gib_qlog_ziele().enthaelt(adresse));
}

namespace {
// A target that never signs on, as a half-built window would be.
class Unfertig : public CQLogBase
{
public:
    using CQLogBase::neue_textzeile;
    void setze_fortschritt(int) override {}
    void setze_info(int, int) override {}
    void neue_textzeile(const CQString&, const int&) override { ++anzahl; }
    void neue_zusatzzeile(const CQString&) override {}
    void neue_titelzeile(const CQString&) override {}
    void titel_data(const CQString&) override {}
    int anzahl = 0;
};
} // namespace

TEST(CLogBase, NichtAngemeldeteZieleWerdenUebergangen)
{
    Unfertig u;
    EXPECT_TRUE(gib_qlog_ziele().enthaelt(&u));
    qmelde(5, klasse_kurz, "m", "x", nullptr, true);
    melde(5, klasse_kurz, "m", "y");
    EXPECT_EQ(u.anzahl, 0);
}

TEST(CLogBase, SchreibeTextOhneZieleSchreibtNichtAufDieKonsole)
{
    ASSERT_TRUE(gib_log_gruppe().leer());
    kern_einstellungen().setze_ascii_ausgabe(1);
    testing::internal::CaptureStdout();
    gib_log_gruppe().schreibe_text("x", 0, true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    kern_einstellungen().setze_ascii_ausgabe(0);
}

// Job threads report while the GUI thread opens and closes windows.
TEST(CLogBase, MeldungenAusMehrerenThreadsWaehrendZieleKommenUndGehen)
{
    std::atomic<bool> stopp{false};
    std::atomic<long> gemeldet{0};
    std::vector<std::thread> melder;
    for (int t = 0; t < 4; ++t)
        melder.emplace_back([&, t] {
            const CQString text = QString("Thread %1").arg(t);
            while (!stopp) {
                qmelde(5, klasse_kurz, "lauf", text, nullptr, true);
                melde(5, klasse_kurz, "lauf", "std");
                ++gemeldet;
            }
        });
    long erreicht = 0;
    for (int runde = 0; runde < 2000; ++runde) {
        auto z = std::make_unique<Ziel>();
        if (runde % 100 == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        else
            std::this_thread::yield();
        erreicht += z->anzahl;
    }
    while (gemeldet < 1000)
        std::this_thread::yield();
    stopp = true;
    for (auto& t : melder)
        t.join();
    EXPECT_GE(gemeldet.load(), 1000);
    EXPECT_GT(erreicht, 0);
    EXPECT_TRUE(gib_qlog_ziele().leer());
}
