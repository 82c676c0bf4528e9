// The report viewer on text pages: its tool bars and menus, the printer tip, the cascade of open viewers, the save and mail actions, and the log window's protocol button opening it.
#include "berichtstest.h"
#include "camisc.h"
#include "ccdiaglog.h"
#include "cgbrowserdiag.h"
#include "cgbrowserex.h"
#include "cseiteeinrichtenwidget.h"
#include "systemwerte.h"

#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

// Action texts, a separator as "|".
QStringList texte(const QList<QAction*>& aktionen)
{
    QStringList liste;
    for (const QAction* aktion : aktionen)
        liste << (aktion->isSeparator() ? QStringLiteral("|") : aktion->text());
    return liste;
}

class Betrachter : public Berichtstest
{
protected:
    void SetUp() override
    {
        Berichtstest::SetUp();
        haupt.move(0, 0);
        haupt.resize(1600, 1200);
        setze_hauptfenster(&haupt);
        CGBrowserDiag::offene_berichte = 0;
    }
    CGBrowserDiag* neu(bool ohne_kaskade = false, bool zwei_seiten = false)
    {
        return new CGBrowserDiag(&haupt, CQString("Vorgangsprotokoll"), ohne_kaskade, Qt::WindowFlags(), zwei_seiten);
    }
    static QList<QAction*> leiste(const QWidget* dialog, int nummer)
    {
        return dialog->findChildren<QToolBar*>().value(nummer)->actions();
    }
    static QAction* aktion(const QWidget* dialog, const QString& text)
    {
        for (QAction* a : leiste(dialog, 0))
            if (a->text() == text)
                return a;
        return nullptr;
    }

    QWidget haupt;
};

class LogFenster : public CCDiagLog
{
public:
    LogFenster() : CCDiagLog(nullptr, CQString("log")) {}
    ~LogFenster() override { beende_worker(); }
    void thread_beendet() override {}
};

class Leerlauf : public CCThread
{
    void run() override {}
};

} // namespace

TEST_F(Betrachter, WerkzeugleistenMenuesUndDruckertipp)
{
    CGBrowserDiag* eine = neu();
    EXPECT_EQ(texte(leiste(eine, 0)), QStringList({"Drucken", "Speichern unter...", "Mailen", "|", "Zurück", "Vorwärts"}));
    EXPECT_EQ(texte(aktion(eine, "Speichern unter...")->menu()->actions()),
              QStringList({"Speichern als Text", "Speichern als HTML", "Speichern als PDF"}));
    EXPECT_EQ(texte(leiste(eine, 1)), QStringList{"Ok"});
    EXPECT_EQ(eine->windowTitle(), "Bericht");
    EXPECT_GE(eine->width(), 600);
    EXPECT_GE(eine->height(), 450);

    CGBrowserDiag* zwei = neu(false, true);
    EXPECT_EQ(texte(aktion(zwei, "Drucken")->menu()->actions()),
              QStringList({"Drucken alles", "Drucken Seite 1", "Drucken Seite 2"}));

    CSeiteEinrichtenWidget zuordnung;
    CAmisc::instanz(true)->setze_druckerzuordnung(&zuordnung);
    ASSERT_NE(zuordnung.fuege_pdf_drucker_hinzu(), nullptr);
    zuordnung.slot_setzeDefault();
    EXPECT_EQ(aktion(neu(), "Drucken")->toolTip(), "Ausgabe in 'PDFDatei'");
    CAmisc::instanz(true)->setze_druckerzuordnung(nullptr);
}

TEST_F(Betrachter, KaskadeUndAktionenFuerSpeichernUndMailen)
{
    CGBrowserDiag* a = neu();
    const QPoint erster = a->pos();
    EXPECT_EQ(neu()->pos(), QPoint(20, 100));
    CGBrowserDiag* c = neu();
    EXPECT_EQ(c->pos(), QPoint(40, 120));
    c->close();
    c->close();
    EXPECT_EQ(c->browser, nullptr);
    EXPECT_EQ(neu()->pos(), QPoint(40, 120));
    CGBrowserDiag* ohne = neu(true);
    EXPECT_EQ(ohne->pos(), erster);
    ohne->close();
    EXPECT_EQ(neu()->pos(), QPoint(60, 140));

    QAction* speichern = aktion(a, "Speichern unter...");
    QAction* mailen = aktion(a, "Mailen");
    a->setHomeAvailableSlot(true);
    EXPECT_FALSE(speichern->isEnabled() || mailen->isEnabled());
    a->setHomeAvailableSlot(false);
    EXPECT_TRUE(speichern->isEnabled() && mailen->isEnabled());
    a->zeige_mailen(false);
    a->zeige_mailen(true);
    EXPECT_FALSE(mailen->isVisible());
}

TEST_F(Betrachter, ProtokollknopfOeffnetDenBetrachter)
{
    installiere_protokollanzeige();
    const QString datei = schreibe("protokoll.html", "<p>PROTOKOLL</p>");
    QPointer<LogFenster> fenster = new LogFenster;
    fenster->show();
    fenster->setze_protokollquelle(CQString(datei));
    fenster->setting(1);
    fenster->starte_thread(new Leerlauf);
    QPushButton* knopf = nullptr;
    ASSERT_TRUE(warte([&] {
        for (QPushButton* k : fenster->findChildren<QPushButton*>())
            if (k->text() == "Zeige Vorgang" && k->isVisible() && k->isEnabled())
                knopf = k;
        return knopf != nullptr;
    }));
    knopf->click();
    const QList<CGBrowserDiag*> offen = haupt.findChildren<CGBrowserDiag*>();
    ASSERT_EQ(offen.size(), 1);
    EXPECT_EQ(offen[0]->windowTitle(), "Vorgangsprotokoll");
    EXPECT_TRUE(offen[0]->isVisible());
    EXPECT_EQ(offen[0]->browser->gib_textseite1()->quelle, datei);
    EXPECT_TRUE(offen[0]->browser->gib_textseite1()->toPlainText().contains("PROTOKOLL"));
    CCBaseLog::setze_protokollanzeige({});
    delete fenster.data();
}

// A report of 80 links: the tool bar is a key or two away, whatever the report holds. In the
// two-page form Ctrl+Tab turns the pages, as the tab widget always did.
TEST_F(Betrachter, WerkzeugleisteUndSeitenWerdenPerTastaturBedient)
{
    CGBrowserDiag* betrachter = neu(true);
    QByteArray links;
    for (int i = 0; i < 80; ++i)
        links += "<a href=\"x" + QByteArray::number(i) + ".html\">Link</a> ";
    betrachter->browser->setze_quelle(CQString(schreibe("bericht.html", "<p>Bericht</p>" + links)));
    betrachter->show();
    // Keys reach shortcuts only in the active window, as the user's window is.
    QApplication::setActiveWindow(betrachter);
    QWidget* const bericht = betrachter->browser->gib_textseite1();
    // Shift+Tab before the first link goes up to the tool bar, not round to the last link.
    bericht->setFocus();
    QTest::keyClick(bericht, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(qobject_cast<QToolBar*>(betrachter->focusWidget()->parentWidget()));
    bericht->setFocus();
    QStringList ausgeloest;
    for (QToolBar* leiste : betrachter->findChildren<QToolBar*>())
        QObject::connect(leiste, &QToolBar::actionTriggered, [&](QAction* a) { ausgeloest << a->text(); });
    // From the report Ctrl+Tab, then Tab, to the button of the action, as a user would, at most
    // three keys; and Space.
    const auto druecke = [&](const QString& text, bool leertaste = true) {
        QWidget* knopf = nullptr;
        for (QToolBar* leiste : betrachter->findChildren<QToolBar*>())
            for (QAction* a : leiste->actions())
                if (a->text() == text)
                    knopf = leiste->widgetForAction(a);
        for (int i = 0; i < 3 && betrachter->focusWidget() != knopf; ++i)
            QTest::keyClick(betrachter->focusWidget(), Qt::Key_Tab,
                            betrachter->focusWidget() == bericht ? Qt::ControlModifier : Qt::NoModifier);
        ASSERT_EQ(betrachter->focusWidget(), knopf) << text.toStdString();
        if (leertaste)
            QTest::keyClick(knopf, Qt::Key_Space);
    };
    druecke("Drucken");
    EXPECT_EQ(druckdialoge, 1);
    // Space opens the save menu; "Speichern als PDF" is its third entry.
    QMenu* menue = aktion(betrachter, "Speichern unter...")->menu();
    QTimer::singleShot(0, menue, [menue] {
        for (Qt::Key taste : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
            QTest::keyPress(menue, taste);
    });
    QTimer::singleShot(60000, menue, [menue] { menue->hide(); });
    druecke("Speichern unter...");
    EXPECT_EQ(speicherdialoge, 1);
    // The mail road needs the web engine, which the offscreen tests do not start: the button is
    // reached, and Space on it is Space on any tool button.
    druecke("Mailen", false);
    druecke("Ok");
    EXPECT_EQ(ausgeloest, QStringList({"Drucken", "Speichern als PDF", "Ok"}));
    EXPECT_FALSE(betrachter->isVisible());

    CGBrowserDiag* zwei = neu(true, true);
    zwei->show();
    QApplication::setActiveWindow(zwei);
    zwei->browser->gib_textseite1()->setFocus();
    QTest::keyClick(zwei->browser->gib_textseite1(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(zwei->focusWidget(), zwei->browser->gib_textseite2());
}
