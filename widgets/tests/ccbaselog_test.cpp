// Worker side of the log-window interface: which events reach the window, and how the window applies them.
#include "camisc.h"
#include "ccbaselog.h"
#include "ccbaselogevents.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Aufzeichnung
{
    int typ = 0;
    long long zahl = 0;
    QString text;
    int art = 0;
};

// A window that records the events it receives before applying them.
class TestFenster : public QWidget, public CCBaseLog
{
public:
    TestFenster() : CCBaseLog(this) { anmelden(); }

    void thread_beendet() override { ++beendet; }

    void mit_widgets()
    {
        fortschrittsbalken = new QProgressBar(this);
        textbereich = new QTextEdit(this);
        schliessen_knopf = new QPushButton(this);
        protokoll_knopf = new QPushButton(this);
        titel_label = new QLabel(this);
        data_label = new QLabel(this);
    }
    QProgressBar* balken() const { return fortschrittsbalken; }
    QTextEdit* text() const { return textbereich; }
    QPushButton* schliessen() const { return schliessen_knopf; }
    QPushButton* protokoll() const { return protokoll_knopf; }
    QLabel* titel() const { return titel_label; }
    QLabel* data() const { return data_label; }

    std::vector<Aufzeichnung> events;
    int beendet = 0;

protected:
    void customEvent(QEvent* e) override
    {
        Aufzeichnung a;
        a.typ = static_cast<int>(e->type());
        if (a.typ == 10002) {
            // The lines wait in the window: the event brings every line not yet taken, one record
            // each.
            bearbeite_event(e);
            for (const auto& zeile : static_cast<CCbaseLogNeueTextzeile*>(e)->zeilen) {
                a.text = zeile.text;
                a.zahl = zeile.typ;
                events.push_back(a);
            }
            return;
        }
        switch (a.typ) {
        case 10001: a.zahl = static_cast<CCbaseLogFortschrittGeaendert*>(e)->schritt; break;
        case 10003: a.text = static_cast<CCbaseLogNeueTitelzeile*>(e)->text; break;
        case 10004: a.zahl = static_cast<CCbaseLogsetTotalSteps*>(e)->gesamt; break;
        case 10007:
            a.art = static_cast<CCbaseLogSetting*>(e)->art;
            a.zahl = static_cast<CCbaseLogSetting*>(e)->wert;
            break;
        case 10008: a.text = static_cast<CCbaseLogTitelData*>(e)->text; break;
        default: break;
        }
        events.push_back(a);
        bearbeite_event(e);
    }
};

void verarbeite()
{
    QCoreApplication::sendPostedEvents();
}

std::vector<Aufzeichnung> nur(const std::vector<Aufzeichnung>& alle, int typ)
{
    std::vector<Aufzeichnung> r;
    for (const auto& a : alle)
        if (a.typ == typ)
            r.push_back(a);
    return r;
}

} // namespace

TEST(CCBaseLog, FortschrittWirdGedrosseltAberRaenderKommenImmer)
{
    TestFenster f;
    f.setTotalSteps(100);
    for (int i = 1; i <= 100; ++i)
        f.setze_fortschritt(i);
    verarbeite();
    ASSERT_GE(f.events.size(), 4u);
    EXPECT_EQ(f.events[0].typ, 10004);
    EXPECT_EQ(f.events[0].zahl, 100);
    EXPECT_EQ(f.events[1].typ, 10001);
    EXPECT_EQ(f.events[1].zahl, 0);
    EXPECT_EQ(f.events[2].typ, 10001);
    EXPECT_EQ(f.events[2].zahl, 1);
    EXPECT_EQ(f.events.back().typ, 10001);
    EXPECT_EQ(f.events.back().zahl, 100);
    // A tight loop is far below 500 ms per step: only a few of the 98 inner steps get through.
    EXPECT_LT(f.events.size(), 60u);
    long long vorher = -1;
    for (const auto& a : nur(f.events, 10001)) {
        EXPECT_GT(a.zahl, vorher);
        vorher = a.zahl;
    }
}

TEST(CCBaseLog, SchrittUeberDemGesamtWirdImmerGemeldet)
{
    TestFenster f;
    f.setTotalSteps(0);
    f.setze_fortschritt(5);
    f.setze_fortschritt(6);
    f.setze_fortschritt(-1); // as unsigned far above the total
    verarbeite();
    const auto schritte = nur(f.events, 10001);
    ASSERT_EQ(schritte.size(), 4u);
    EXPECT_EQ(schritte[1].zahl, 5);
    EXPECT_EQ(schritte[2].zahl, 6);
}

TEST(CCBaseLog, TextzeilenWerdenNachTypGefaerbt)
{
    TestFenster f;
    f.neue_textzeile(CQString("normal <b>"), 0);
    f.neue_textzeile(CQString("Achtung"), 1);
    f.neue_textzeile(CQString("<span style=\"color:#123456\">eigen</span>"), 2);
    verarbeite();
    const auto zeilen = nur(f.events, 10002);
    ASSERT_EQ(zeilen.size(), 3u);
    EXPECT_EQ(zeilen[0].text, QStringLiteral("normal <b>"));
    EXPECT_EQ(zeilen[1].text, QStringLiteral("<span style=\"color:#b36b3f\">Achtung</span>"));
    EXPECT_EQ(zeilen[1].zahl, 1);
    EXPECT_EQ(zeilen[2].text, QStringLiteral("<span style=\"color:#123456\">eigen</span>"));
}

TEST(CCBaseLog, FehlerzeileMachtFensterDauerhaftNichtOk)
{
    TestFenster f;
    EXPECT_TRUE(f.ist_ok());
    f.neue_textzeile(CQString("warnung"), 1);
    EXPECT_TRUE(f.ist_ok());
    f.neue_textzeile(CQString("fehler"), 2);
    EXPECT_FALSE(f.ist_ok());
    f.neue_textzeile(CQString("weiter"), 0);
    EXPECT_FALSE(f.ist_ok());
    EXPECT_FALSE(f.ist_abbruch());
    f.setze_abbruch();
    EXPECT_TRUE(f.ist_abbruch());
}

TEST(CCBaseLog, GesammelteAusgabeWirdNichtGepostet)
{
    TestFenster f;
    f.setze_sammeln(true);
    f.neue_textzeile(CQString("a"), 0);
    f.neue_textzeile(CQString("b"), 0);
    verarbeite();
    EXPECT_TRUE(nur(f.events, 10002).empty());
    EXPECT_EQ(f.nimm_gesammelte_ausgabe(), QStringLiteral("a<br>b"));
    EXPECT_TRUE(f.nimm_gesammelte_ausgabe().isEmpty());
}

TEST(CCBaseLog, FensterWendetEventsAufSeineWidgetsAn)
{
    TestFenster f;
    f.mit_widgets();
    f.schliessen()->setEnabled(false);
    f.setTotalSteps(7);
    f.setze_fortschritt(3); // inside the range right after step 0: dropped
    f.setze_fortschritt(7);
    f.neue_titelzeile(CQString("Titel"));
    f.titel_data(CQString("Daten"));
    f.neue_textzeile(CQString("<b>fett</b>"), 0);
    f.setting(1);
    verarbeite();
    EXPECT_EQ(f.balken()->maximum(), 7);
    EXPECT_EQ(f.balken()->value(), 7);
    EXPECT_EQ(f.titel()->text(), QStringLiteral("Titel"));
    EXPECT_EQ(f.data()->text(), QStringLiteral("Daten"));
    EXPECT_TRUE(f.gib_richtext());
    f.zeige_ausstehende();
    EXPECT_TRUE(f.text()->toPlainText().contains(QStringLiteral("fett")));
    EXPECT_EQ(f.protokoll()->text(), QStringLiteral("Zeige Vorgang"));
    EXPECT_FALSE(f.protokoll()->isEnabled());
    EXPECT_FALSE(f.protokoll()->isHidden());

    // A negative total marks the end of the run.
    f.setze_protokollquelle(CQString("protokoll.html"));
    QCoreApplication::postEvent(&f, new CCbaseLogsetTotalSteps(-1));
    verarbeite();
    EXPECT_TRUE(f.schliessen()->isEnabled());
    EXPECT_TRUE(f.protokoll()->isEnabled());

    f.setting(0);
    verarbeite();
    EXPECT_TRUE(f.protokoll()->isHidden());
}

// Printing or saving during a run shows every line the worker logged so far, also those whose
// event has not arrived yet, and the event that comes later adds none of them again.
TEST(CCBaseLog, ZeilenVorIhremEventErscheinenBeimZeigenGenauEinmal)
{
    TestFenster f;
    f.mit_widgets();
    f.neue_textzeile(CQString("eins"), 0);
    f.neue_textzeile(CQString("zwei"), 2);
    f.zeige_ausstehende();
    EXPECT_EQ(f.text()->toPlainText(), QStringLiteral("eins\nzwei"));
    f.neue_textzeile(CQString("drei"), 0);
    verarbeite();
    f.zeige_ausstehende();
    EXPECT_EQ(f.text()->toPlainText(), QStringLiteral("eins\nzwei\ndrei"));
}

TEST(CCBaseLog, FremdeEventsWerdenNichtBearbeitet)
{
    TestFenster f;
    QEvent fremd(static_cast<QEvent::Type>(10006));
    EXPECT_FALSE(f.bearbeite_event(&fremd));
    QEvent andere(static_cast<QEvent::Type>(10005));
    EXPECT_FALSE(f.bearbeite_event(&andere));

    // The main-window event shares 10007 but is no setting: a value of 1 must not show the button.
    f.mit_widgets();
    f.setting(0);
    verarbeite();
    ASSERT_TRUE(f.protokoll()->isHidden());
    const auto hauptfenster_event = std::make_unique<CMainWindowEvent>(1);
    EXPECT_FALSE(f.bearbeite_event(hauptfenster_event.get()));
    EXPECT_TRUE(f.protokoll()->isHidden());
}

TEST(CCBaseLog, AbbruchWirdEinmalGemeldet)
{
    struct AbbrechendesFenster : TestFenster
    {
        void breche_ab() { abgebrochen = true; }
    } f;
    f.setze_stop_bei_abbruch(true);
    f.setTotalSteps(10);
    f.setze_fortschritt(5); // not cancelled yet
    f.breche_ab();
    f.setze_fortschritt(6);
    f.setze_fortschritt(7);
    verarbeite();
    int meldungen = 0;
    for (const auto& z : nur(f.events, 10002))
        if (z.text.contains(QStringLiteral("Abbruch durch den Anwender")))
            ++meldungen;
    EXPECT_EQ(meldungen, 1);
    EXPECT_TRUE(f.ist_abgebrochen());
}

TEST(CCBaseLog, OhneBesitzerWirdNichtsGepostet)
{
    struct OhneFenster : CCBaseLog
    {
        OhneFenster() : CCBaseLog(nullptr) {}
        void thread_beendet() override {}
    } log;
    log.setTotalSteps(3);
    log.neue_textzeile(CQString("x"), 2);
    EXPECT_FALSE(log.ist_ok());
    EXPECT_EQ(log.gib_total_steps(), 3u);
    EXPECT_EQ(log.gib_dateityp(), QStringLiteral("txt"));
    log.setze_dateityp(CQString("HTML (*.html)"), CQString("html"));
    EXPECT_EQ(log.gib_dateityp(), QStringLiteral("html"));
}
