// The user administration window on SQLite: the lock list, removing a lock, the log-off, the log-on and refresh of its pages, the keys people press by habit and its English.
#include "bedienbarkeit.h"
#include "bvtest.h"
#include "canwenderliste.h"
#include "cbenutzerverwaltung.h"
#include "ccombobox.h"
#include "cdbbvsetting.h"
#include "clineedit.h"
#include "cgruppenliste.h"
#include "cqtableview.h"
#include "ctable.h"
#include "logmitschnitt.h"
#include "sprachpruefung.h"
#include "steuerdaten.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>

namespace {

bool enthaelt(const std::string& text, const char* teil)
{
    return text.find(teil) != std::string::npos;
}

class Verwaltungsfenster : public BVTest
{
protected:
    void SetUp() override
    {
        BVTest::SetUp();
        melde_an({"INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (2, 'Technik'), (5, 'Lager')",
                  "INSERT INTO bv_anwender (anw_id, anw_gruppe, anw_name, anw_lock, anw_login) VALUES "
                  "(3, 2, 'meier', 'X', '2024-01-02 08:00:00'), (4, 2, 'abel', NULL, NULL)"});
    }
    void TearDown() override
    {
        fenster.reset();
        setze_benutzerverwaltung_aktiv(false);
        BVTest::TearDown();
    }
    void oeffne()
    {
        fenster = std::make_unique<CBenutzerVerwaltung>();
        liste = fenster->lockliste;
    }
    // Every row as shown, its cells joined by '|' (date-times in ISO form), sorted.
    QStringList zeilen() const
    {
        QStringList text;
        for (int z = 0; z < liste->model()->rowCount(); ++z) {
            QStringList zellen;
            for (int sp = 0; sp < liste->model()->columnCount(); ++sp) {
                const QVariant wert = liste->zellDaten(z, sp);
                zellen.append(wert.type() == QVariant::DateTime ? wert.toDateTime().toString(Qt::ISODate)
                                                                 : wert.toString());
            }
            text.append(zellen.join(QLatin1Char('|')));
        }
        text.sort();
        return text;
    }
    QString sperre(int nummer) const
    {
        return lies(QStringLiteral("SELECT ifnull(anw_lock, '-') FROM bv_anwender WHERE anw_id=%1").arg(nummer))
            .toString();
    }
    void klicke(Qt::MouseButton knopf, int zeile)
    {
        const QPoint punkt = liste->visualRect(liste->gibIndex(zeile, 1)).center();
        for (QEvent::Type art : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent klick(art, punkt, liste->viewport()->mapToGlobal(punkt), knopf,
                              art == QEvent::MouseButtonPress ? knopf : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(liste->viewport(), &klick);
        }
    }

    std::unique_ptr<CBenutzerVerwaltung> fenster;
    CQTableView* liste = nullptr;
};

} // namespace

TEST_F(Verwaltungsfenster, LocklisteHaeltJedeZelleInIhrerSpalte)
{
    oeffne();
    fenster->anwender->sp_lang = -1;
    fenster->anwender->sp_abteilung = -1;
    fenster->aktualisiere_lockliste();
    EXPECT_EQ(zeilen(), QStringList{QStringLiteral("3|meier|Technik|2024-01-02T08:00:00|")});
    EXPECT_EQ(fenster->lockanzahl->text(), QStringLiteral("1"));
    EXPECT_EQ(fenster->gesperrte, 1);

    // A user in no group, with the long-name column shown but NULL there: no cell moves left.
    ASSERT_TRUE(sql(QStringLiteral("INSERT INTO bv_anwender (anw_id, anw_gruppe, anw_name, anw_lock, anw_login, "
                                   "anw_logoff, anw_abteilung) VALUES (6, 9, 'zorn', 'X', '2024-02-03 09:00:00', "
                                   "'2024-02-03 17:30:00', 'Lager')")));
    fenster->anwender->sp_lang = 7;
    fenster->aktualisiere_lockliste();
    EXPECT_EQ(zeilen(), QStringList({"3|meier||Technik|2024-01-02T08:00:00|",
                                     "6|zorn|||2024-02-03T09:00:00|2024-02-03T17:30:00"}));
    EXPECT_EQ(fenster->lockanzahl->text(), QStringLiteral("2"));

    ASSERT_TRUE(sql(QStringLiteral("UPDATE bv_anwender SET anw_lock=NULL")));
    fenster->aktualisiere_lockliste();
    EXPECT_EQ(zeilen(), QStringList());
    EXPECT_EQ(fenster->lockanzahl->text(), QStringLiteral("0"));
    EXPECT_TRUE(kritisch.isEmpty()) << kritisch.join('\n').toStdString();
}

TEST_F(Verwaltungsfenster, LockLoeschenTrifftDenGezeigtenAnwenderUndMeldetNurErfolg)
{
    ASSERT_TRUE(sql(QStringLiteral("INSERT INTO bv_anwender (anw_id, anw_gruppe, anw_name, anw_lock) "
                                   "VALUES (6, 5, 'zorn', 'X')")));
    oeffne();
    fenster->resize(800, 600);
    QStringList eintraege;
    dialog = [&eintraege](QWidget* w) {
        auto* menue = qobject_cast<QMenu*>(w);
        for (QAction* a : menue->actions())
            eintraege.append(a->text() + QLatin1Char('|') + a->toolTip());
        menue->actions().value(0)->trigger();
        return 1;
    };
    LogMitschnitt mitschnitt;
    liste->clearSelection();
    fenster->DeleteLock();
    setze_benutzerverwaltung_aktiv(false);
    liste->markiereZeile(0, true);
    fenster->DeleteLock();
    setze_benutzerverwaltung_aktiv(true);
    EXPECT_EQ(sperre(3) + sperre(6), QStringLiteral("XX"));
    EXPECT_EQ(mitschnitt.text().find("Lock von"), mitschnitt.text().rfind("Lock von")) << mitschnitt.text();
    EXPECT_TRUE(enthaelt(mitschnitt.text(), "Lock von User 'meier' (ID=3) NICHT entfernt")) << mitschnitt.text();

    // Sorted by name descending, the first row shown is zorn's; a left click opens no menu.
    liste->sortByColumn(1, Qt::DescendingOrder);
    klicke(Qt::LeftButton, 0);
    EXPECT_TRUE(eintraege.isEmpty());
    liste->markiereZeile(0, true);
    klicke(Qt::RightButton, 0);
    EXPECT_EQ(eintraege, QStringList{QStringLiteral("Lock löschen|Lock-Eintrag des Anwenders entfernen")});
    EXPECT_EQ(sperre(3) + sperre(6), QStringLiteral("X-"));
    EXPECT_TRUE(lies(QStringLiteral("SELECT anw_logoff FROM bv_anwender WHERE anw_id=6")).isNull());
    EXPECT_TRUE(enthaelt(mitschnitt.text(), "Lock von User 'zorn' (ID=6) entfernt")) << mitschnitt.text();
    EXPECT_EQ(liste->model()->rowCount(), 1);
    EXPECT_EQ(fenster->lockanzahl->text(), QStringLiteral("1"));
}

TEST_F(Verwaltungsfenster, LogoffNurMitNummerUndErfolgNurNachUpdate)
{
    gib_bv_ccdatabase()->setze_protokollstufe(1);
    {
        LogMitschnitt mitschnitt;
        EXPECT_FALSE(logoff(-1, true));
        EXPECT_FALSE(enthaelt(mitschnitt.text(), "UPDATE")) << mitschnitt.text();
    }
    EXPECT_TRUE(logoff(3, true));
    EXPECT_EQ(sperre(3), QStringLiteral("-"));
    const QDateTime zeit = lies(QStringLiteral("SELECT anw_logoff FROM bv_anwender WHERE anw_id=3")).toDateTime();
    EXPECT_LE(qAbs(zeit.secsTo(QDateTime::currentDateTime())), 5) << zeit.toString().toStdString();
    EXPECT_TRUE(kritisch.isEmpty()) << kritisch.join('\n').toStdString();
    ASSERT_TRUE(sql(QStringLiteral("ALTER TABLE bv_anwender RENAME TO bv_weg")));
    EXPECT_FALSE(logoff(4, false));
    EXPECT_EQ(kritisch, QStringList{QStringLiteral("Fehler beim Zugriff auf Anwendertabelle !")});
}

TEST_F(Verwaltungsfenster, OeffnenMeldetAnOderLaesstDieDatenbankseitenAus)
{
    CBVDBEinstellungen& e = gib_bvdb_einstellungen();
    bv_abmelden();
    e.bvdb_verbindung.setze_wert(NEIN);
    oeffne();
    EXPECT_FALSE(datenbank_verbunden());
    EXPECT_FALSE(fenster->lockseite->isEnabled());
    EXPECT_FALSE(fenster->gruppen->isEnabled());
    // Connected through the settings page, the lock page works once it is shown again.
    fenster->reiter->setCurrentIndex(CBenutzerVerwaltung::seite_einstellungen);
    fenster->einstellungen->SlotDatabase();
    ASSERT_TRUE(datenbank_verbunden());
    fenster->reiter->setCurrentIndex(CBenutzerVerwaltung::seite_locks);
    EXPECT_TRUE(fenster->lockseite->isEnabled());
    EXPECT_EQ(fenster->lockanzahl->text(), QStringLiteral("1"));
    fenster.reset();

    bv_abmelden();
    e.bvdb_verbindung.setze_wert(JA);
    oeffne();
    EXPECT_TRUE(datenbank_verbunden());
    EXPECT_TRUE(fenster->lockseite->isEnabled());
    EXPECT_EQ(liste->zellDaten(0, 1).toString(), QStringLiteral("meier"));
    EXPECT_TRUE(zeilen().value(0).contains("|Technik|")) << zeilen().value(0).toStdString();
    fenster.reset();

    bv_abmelden();
    e.db_treiber.setze_wert_qstr(CQString("QGIBTESNICHT"));
    oeffne();
    EXPECT_FALSE(datenbank_verbunden());
    ASSERT_EQ(kritisch.size(), 1);
    EXPECT_TRUE(kritisch.at(0).contains(QStringLiteral("QGIBTESNICHT"))) << kritisch.at(0).toStdString();
    EXPECT_FALSE(fenster->lockseite->isEnabled());
    // The very first start, nothing set up yet: no box, the settings page to set it up.
    e.db_treiber.setze_undefiniert();
    oeffne();
    EXPECT_EQ(kritisch.size(), 1);
    EXPECT_EQ(fenster->reiter->currentWidget(), fenster->einstellungen);
}

// At first sight: the group name as wide as its neighbours, room for ten users where the screen has it.
TEST_F(Verwaltungsfenster, ErsterBlickZeigtGruppenfeldBreitUndZehnAnwenderzeilen)
{
    oeffne();
    EXPECT_EQ(fenster->size(), fenster->sizeHint().boundedTo(fenster->screen()->availableSize()));
    fenster->resize(fenster->sizeHint());
    fenster->show();
    fenster->reiter->setCurrentIndex(CBenutzerVerwaltung::seite_anwender);
    EXPECT_GE(fenster->anwender->gib_tabelle()->viewport()->height(), 10 * fenster->anwender->gib_tabelle()->rowHeight(0));
    fenster->reiter->setCurrentIndex(CBenutzerVerwaltung::seite_gruppen);
    EXPECT_LE(qAbs(fenster->gruppen->findChild<QComboBox*>("grp_igruppe")->width()
                   - fenster->gruppen->findChild<QLineEdit*>("grp_bezirk")->width()), 1);
}

TEST_F(Verwaltungsfenster, GruppenaenderungErreichtGruppenseiteUndAnwenderfenster)
{
    oeffne();
    auto* gruppenliste = fenster->gruppen->findChild<CQTableView*>();
    ASSERT_NE(gruppenliste, nullptr);
    auto namen = [gruppenliste] {
        QStringList text;
        for (int z = 0; z < gruppenliste->model()->rowCount(); ++z)
            text.append(gruppenliste->zellDaten(z, 1).toString());
        text.sort();
        return text;
    };
    ASSERT_TRUE(sql(QStringLiteral("INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (7, 'Buch')")));
    fenster->reiter->setCurrentIndex(CBenutzerVerwaltung::seite_gruppen);
    EXPECT_EQ(namen(), QStringList({"Buch", "Lager", "Technik"}));
    // Another administrator's group is offered by each page that shows groups.
    EXPECT_GE(fenster->gruppen->findChild<QComboBox*>("grp_igruppe")->findText("Buch"), 0);

    for (int z = 0; z < gruppenliste->model()->rowCount(); ++z)
        if (gruppenliste->zellDaten(z, 1).toString() == QStringLiteral("Lager"))
            fenster->gruppen->loesche_gruppe(z);
    EXPECT_EQ(namen(), QStringList({"Buch", "Technik"}));
    ASSERT_TRUE(sql(QStringLiteral("INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (8, 'Kasse')")));
    fenster->reiter->setCurrentIndex(CBenutzerVerwaltung::seite_anwender);
    QStringList auswahl;
    for (int i = 0; i < fenster->anwender->cGruppe->count(); ++i)
        auswahl.append(fenster->anwender->cGruppe->itemText(i));
    EXPECT_EQ(auswahl, QStringList({"Buch", "Kasse", "Technik"}));
    EXPECT_TRUE(kritisch.isEmpty()) << kritisch.join('\n').toStdString();
}

// Closed and started again, logged on by "Verbinden" (automatically: above): the log-on reads the
// groups, each user's shows, and users added in a row keep the group and right chosen.
TEST_F(Verwaltungsfenster, NeustartZeigtJedeGruppeUndAnwenderInFolgeBehaltenGruppeUndRecht)
{
    bv_abmelden();
    gib_bvdb_einstellungen().bvdb_verbindung.setze_wert(NEIN);
    oeffne();
    fenster->einstellungen->SlotDatabase();
    EXPECT_EQ(gib_gruppenliste().size(), 2);
    fenster->reiter->setCurrentIndex(CBenutzerVerwaltung::seite_anwender);
    CAnwenderListe* a = fenster->anwender;
    EXPECT_EQ(a->gib_tabelle()->zellText(0, a->sp_gruppenname) + a->gib_tabelle()->zellText(1, a->sp_gruppenname), "TechnikTechnik");
    a->cGruppe->setCurrentIndex(a->cGruppe->findText("Technik"));
    a->changeGroup(a->cGruppe->currentIndex());
    a->cRecht->setCurrentIndex(3);
    for (const char* name : {"neu1", "neu2", "neu3"}) {
        a->eName->setzeText(CQString(name));
        a->addEntry();
    }
    EXPECT_EQ(lies("SELECT group_concat(anw_gruppe || anw_recht) FROM bv_anwender WHERE anw_name LIKE 'neu%'").toString(), "2W,2W,2W");
}

// The keyboard alone turns to every page, each way round, and is in a control in view after every
// turn and every write: a group name typed after Ctrl+Tab shows, and so does the one asked for.
TEST_F(Verwaltungsfenster, StrgTabErreichtJedeSeiteUndDieTastaturBleibtImBlick)
{
    bv_abmelden();
    gib_bvdb_einstellungen().bvdb_verbindung.setze_wert(NEIN);
    oeffne();
    fenster->show();
    QApplication::setActiveWindow(fenster.get());
    const auto taste = [this](Qt::Key k, Qt::KeyboardModifiers mit = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : fenster.get(), k, mit);
        QCoreApplication::processEvents();
        return QApplication::focusWidget() && QApplication::focusWidget()->isVisible();
    };
    // Not connected, the pages but the settings are off.
    fenster->reiter->setCurrentIndex(CBenutzerVerwaltung::seite_einstellungen);
    fenster->einstellungen->findChild<QComboBox*>()->setFocus();
    EXPECT_TRUE(taste(Qt::Key_Tab, Qt::ControlModifier));
    fenster->einstellungen->SlotDatabase();
    QString folge;
    for (int i = 0; i < 14; ++i) {
        EXPECT_TRUE(taste(Qt::Key_Tab, i < 7 || i == 13 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier)) << i;
        const auto* innen = fenster->gruppen->findChild<QTabWidget*>();
        folge += QStringLiteral("%1%2 ").arg(fenster->reiter->currentIndex()).arg(innen && innen->isVisible() ? innen->currentIndex() : 0);
    }
    ASSERT_EQ(folge.toStdString(), "10 20 21 30 00 10 20 10 00 30 21 20 10 20 ");
    auto* gruppe = fenster->gruppen->findChild<QComboBox*>("grp_igruppe");
    taste(Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Buchhaltung"));
    fenster->gruppen->addEntry();
    EXPECT_EQ(lies("SELECT count(*) FROM bv_gruppen WHERE grp_name='Buchhaltung'").toInt(), 1);
    EXPECT_TRUE(gruppe->hasFocus());
    // Emptied, saved on closing from the search tab: the field the box asks to fill comes into view.
    gruppe->setEditText(QString());
    taste(Qt::Key_Tab, Qt::ControlModifier);
    antwort = QStringLiteral("&Speichern");
    fenster->close();
    EXPECT_EQ(kritisch, QStringList{QStringLiteral("Bitte einen Namen für die Gruppe eingeben !")});
    EXPECT_TRUE(gruppe->hasFocus() && gruppe->isVisible());
}

// The whole window as an administrator meets it, by keys: Return in each field of the user and
// group pages keeps the window and the text; Escape, Alt+F4 and "Fertig" ask while typed edits
// are not saved, and Cancel keeps them. Ctrl+Tab leaves the SQL text for "Ausführen"
// of its page, Ctrl+PgDown turns the pages; Save stores what was typed. A group added with district
// and telephone typed before stores both, and the user page keeps its place in the Tab order.
TEST_F(Verwaltungsfenster, TastenAusGewohnheitBehaltenFensterUndEingaben)
{
    oeffne();
    fenster->show();
    QApplication::setActiveWindow(fenster.get());
    // The controls of the user page and the window's button in the order Tab takes them, enabled or not.
    const auto folge = [this] {
        fenster->reiter->setCurrentIndex(CBenutzerVerwaltung::seite_anwender);
        QStringList namen;
        for (QWidget* w = fenster->nextInFocusChain(); w != fenster.get(); w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(fenster.get()))
                namen << QString::fromLatin1(w->metaObject()->className()) + bedienbarkeit::name_fuer_vorleser(w);
        return namen;
    };
    const QStringList vorher = folge();
    fenster->reiter->setCurrentIndex(CBenutzerVerwaltung::seite_gruppen);
    auto* gruppe = fenster->gruppen->findChild<CComboBox*>(QStringLiteral("grp_igruppe"));
    gruppe->setFocus();
    // The name typed last passes "Lager" on its way: the group listed is no reason to drop the rest.
    for (const auto& [feld, text] : {std::pair<QWidget*, const char*>{fenster->gruppen->findChild<QLineEdit*>("grp_bezirk"), "Nord"},
                                     {fenster->gruppen->findChild<QLineEdit*>("grp_telefon"), "0815"},
                                     {gruppe->lineEdit(), "Lagerhalle"}}) {
        QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(feld, QLatin1String(text));
    }
    const auto klicke = [](QWidget* seite, const QString& text) {
        for (QPushButton* knopf : seite->findChildren<QPushButton*>())
            if (knopf->text() == text)
                knopf->click();
    };
    klicke(fenster->gruppen, QStringLiteral("Hinzufügen"));
    EXPECT_EQ(lies(QStringLiteral("SELECT grp_bezirk || grp_telefon FROM bv_gruppen WHERE grp_name='Lagerhalle'")).toString(), "Nord0815");
    EXPECT_EQ(folge(), vorher);

    QStringList getippt;
    for (int seite : {CBenutzerVerwaltung::seite_anwender, CBenutzerVerwaltung::seite_gruppen}) {
        fenster->reiter->setCurrentIndex(seite);
        for (QLineEdit* feld : fenster->reiter->currentWidget()->findChildren<QLineEdit*>()) {
            if (!feld->isVisible() || !feld->isEnabled())
                continue;
            feld->setFocus();
            QTest::keyClicks(feld, "q");
            QTest::keyClick(feld, Qt::Key_Return);
            EXPECT_TRUE(fenster->isVisible()) << getippt.size();
            getippt << feld->text();
        }
    }
    EXPECT_GE(getippt.size(), 8);
    // Nothing was added, changed or deleted on the way.
    EXPECT_EQ(lies("SELECT count(*) FROM bv_anwender").toInt(), 2);
    EXPECT_EQ(dialoge.size() + fragen.size(), 0);
    antwort = QStringLiteral("Abbrechen");
    QTest::keyClick(fenster->focusWidget(), Qt::Key_Escape);
    fenster->close();
    fenster->findChild<QDialogButtonBox*>()->buttons().first()->click();
    EXPECT_TRUE(fenster->isVisible());
    EXPECT_EQ(fragen, QVector<QString>(3, "Benutzerverwaltung|Die Eingaben auf der Seite 'Anwender' sind nicht gespeichert.").toList());
    for (QLineEdit* feld : fenster->findChildren<QLineEdit*>())
        getippt.removeOne(feld->text());
    EXPECT_TRUE(getippt.isEmpty()) << getippt.join('|').toStdString();

    fenster->reiter->setCurrentIndex(CBenutzerVerwaltung::seite_einstellungen);
    klicke(fenster->einstellungen, QStringLiteral("SQL"));
    auto* sql = fenster->einstellungen->findChild<QPlainTextEdit*>();
    sql->setFocus();
    QTest::keyClick(sql, Qt::Key_Tab, Qt::ControlModifier);
    const auto* knopf = qobject_cast<QPushButton*>(fenster->focusWidget());
    EXPECT_EQ(knopf ? knopf->text() : QString(), QStringLiteral("Ausführen"));
    EXPECT_EQ(fenster->reiter->currentIndex(), CBenutzerVerwaltung::seite_einstellungen);
    sql->setFocus();
    QTest::keyClick(sql, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(fenster->reiter->currentIndex(), CBenutzerVerwaltung::seite_locks);
    // "Trennen" asks as closing does, and Cancel keeps the connection with the edits.
    klicke(fenster->einstellungen, QStringLiteral("Trennen"));
    EXPECT_TRUE(datenbank_verbunden());

    antwort = QStringLiteral("&Speichern");
    fenster->close();
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_EQ(fragen.size(), 6);
    EXPECT_TRUE(fragen.last().endsWith("'Gruppen' sind nicht gespeichert.")) << fragen.last().toStdString();
    // The name typed over the group added before renames it, as "Ändern" would: no second group.
    EXPECT_EQ(lies("SELECT anw_telefon || group_concat(grp_name) || grp_bezirk FROM bv_anwender, bv_gruppen "
                   "WHERE anw_name='q' AND grp_name LIKE 'Lagerh%'").toString().toStdString(), "qLagerhalleqNordq");
}

// Under English the window and each of its pages (the group page's tabs each) show no German text
// of ours, and no two controls of a page share a mnemonic (the keyboard walk checks German).
TEST_F(Verwaltungsfenster, EnglischOhneDeutsch)
{
    QTranslator englisch;
    ASSERT_TRUE(englisch.load(QStringLiteral(UEBERSETZUNG_QM)));
    QCoreApplication::installTranslator(&englisch);
    oeffne();
    fenster->show();
    const QSet<QString> deutsch = sprachpruefung::deutsche_texte(QStringLiteral(UEBERSETZUNGEN "/aktualisierer_en.ts"));
    for (const auto& [seite, unterseite] : {std::pair{0, 0}, {1, 0}, {2, 0}, {2, 1}, {3, 0}}) {
        fenster->reiter->setCurrentIndex(seite);
        fenster->gruppen->findChild<QTabWidget*>()->setCurrentIndex(unterseite);
        EXPECT_EQ(sprachpruefung::deutsch_in(fenster.get(), deutsch).join(" | ").toStdString(), "") << seite;
        EXPECT_EQ(sprachpruefung::doppelte_kuerzel(fenster.get()).join(" | ").toStdString(), "") << seite;
    }
    EXPECT_TRUE(sprachpruefung::texte_von(fenster.get()).contains("District"));
    QCoreApplication::removeTranslator(&englisch);
}
