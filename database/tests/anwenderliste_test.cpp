// The user table window on SQLite: search, copy, remarks, adding, passwords, deleting, the context menu and the e-mail lookup.
#include "anwenderemail.h"
#include "bvtest.h"
#include "bvdbeinstellungen.h"
#include "bvstruktur.h"
#include "caclgroup.h"
#include "camisc.h"
#include "canwender_passwort.h"
#include "canwenderliste.h"
#include "cbvdatabase.h"
#include "ccombobox.h"
#include "ceingabestring.h"
#include "clineedit.h"
#include "ctable.h"
#include "dialogseam.h"
#include "katalog.h"
#include "logmitschnitt.h"
#include "plattform.h"
#include "skripttreiber.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

bool enthaelt(const std::string& text, const char* teil)
{
    return text.find(teil) != std::string::npos;
}

class Anwenderliste : public BVTest
{
protected:
    void SetUp() override
    {
        BVTest::SetUp();
        antwort = QStringLiteral("Nein");
        melde_an({"INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (1, 'Verwaltung'), (2, 'Technik')",
                  "INSERT INTO bv_anwender (anw_id, anw_gruppe, anw_name, anw_recht, anw_email, anw_kennwort, anw_lock) "
                  "VALUES (1, 2, 'meier', 'W', 'm.meier@x.de', '41', NULL), (2, 1, 'Meyer', 'R', 'my@x.de', NULL, 'X'), "
                  "(3, 9, 'abel', 'Q', NULL, NULL, NULL), (4, 1, 'O''Brien', 'R', 'ob@x.de', NULL, NULL)"});
        // The remark column narrowed to 10 characters, on a database object of the test's own.
        CBVEntwurf entwurf = gib_bv_grundentwurf();
        for (CBVSpalte& s : entwurf[bv_tag::anwender].spalten)
            if (s.tag == bv_tag::anw_bemerkung)
                s.laenge = 10;
        eigene = std::make_unique<CBVDataBase>(
            std::make_unique<CCDataBase>(CCDataBase::art_sqlite, CQString(bv_verbindungsname()), 1),
            std::make_unique<CBVStruktur>(entwurf));
        setze_bv_datenbank(eigene.get());
        fenster = std::make_unique<CAnwenderListe>();
        tab = fenster->gib_tabelle();
    }
    void TearDown() override
    {
        fenster.reset();
        bv_abmelden();
        eigene.reset();
        BVTest::TearDown();
        gib_katalog_kelmor().csv_dezimalpunkt.setze_undefiniert();
        gib_katalog_kelmor().windows_auto_login.setze_undefiniert();
        gib_katalog_privat().anwender.setze_undefiniert();
    }
    int zeile(const QString& name) const
    {
        for (int z = 0; z < tab->rowCount(); ++z)
            if (tab->zellText(z, fenster->sp_name) == name)
                return z;
        return -1;
    }
    QList<int> markierte_zeilen() const
    {
        QList<int> zeilen;
        for (int z = 0; z < tab->rowCount(); ++z)
            if (tab->istZeileMarkiert(z, false))
                zeilen.append(z);
        return zeilen;
    }
    // Answers the password dialog with the two texts.
    void kennwort_antwort(const QString& neu, const QString& bestaetigt)
    {
        dialog = [neu, bestaetigt](QWidget* w) {
            auto* d = qobject_cast<Canwender_passwort*>(w);
            if (!d)
                return 0;
            d->ePass_n->setText(neu);
            d->ePass_nb->setText(bestaetigt);
            return static_cast<int>(QDialog::Accepted);
        };
    }

    std::unique_ptr<CBVDataBase> eigene;
    std::unique_ptr<CAnwenderListe> fenster;
    CTable* tab = nullptr;
};

TEST_F(Anwenderliste, RasterSortiertNachNameUndZeigtNieGespeicherteKennworte)
{
    ASSERT_EQ(tab->rowCount(), 4);
    EXPECT_EQ(tab->zellText(0, fenster->sp_name), QStringLiteral("Meyer"));
    EXPECT_EQ(tab->zellText(zeile("meier"), fenster->sp_gruppenname), QStringLiteral("Technik"));
    EXPECT_EQ(tab->zellText(zeile("meier"), fenster->sp_recht), QStringLiteral("write"));
    EXPECT_EQ(tab->zellText(zeile("abel"), fenster->sp_gruppenname), QString());
    EXPECT_EQ(tab->zellText(zeile("meier"), fenster->sp_kennwort_marke), QStringLiteral("***"));
    EXPECT_TRUE(tab->isColumnHidden(fenster->sp_kennwort));
    EXPECT_EQ(fenster->cGruppe->itemText(1), QStringLiteral("Verwaltung"));
    EXPECT_NE(CKlasse::finde("C_CBenutzerVerwaltung"), nullptr);

    // Group 9 is in no group, and the unknown right "Q": both choices show none.
    fenster->lade_zeile(zeile("abel"));
    EXPECT_EQ(fenster->cGruppe->currentIndex(), -1);
    EXPECT_EQ(fenster->cRecht->currentIndex(), -1);
    EXPECT_EQ(fenster->eName->text(), QStringLiteral("abel"));
    // An empty group combo must not index the group list.
    fenster->grp_id = 77;
    fenster->changeGroup(-1);
    EXPECT_EQ(fenster->grp_id, 77);
}

TEST_F(Anwenderliste, SucheWaehltNurTrefferMitGrossKleinschreibung)
{
    fenster->kName->setChecked(true);
    fenster->sName->setText(QStringLiteral("mey"));
    fenster->findEntries();
    EXPECT_TRUE(markierte_zeilen().isEmpty());
    EXPECT_EQ(pieps, 1);

    fenster->sName->setText(QStringLiteral("eye"));
    fenster->findEntries();
    EXPECT_EQ(markierte_zeilen(), QList<int>{zeile("Meyer")});
    EXPECT_EQ(fenster->eName->text(), QStringLiteral("Meyer"));

    fenster->kName->setChecked(false);
    fenster->findEntries();
    EXPECT_TRUE(markierte_zeilen().isEmpty());
    EXPECT_EQ(pieps, 1);

    // With only the own row selected the re-selection leaves nothing and beeps once.
    fenster->lade_zeile(zeile("meier"));
    tab->selectRow(zeile("meier"));
    fenster->pruefe_auswahl(false);
    EXPECT_TRUE(markierte_zeilen().isEmpty());
    EXPECT_EQ(pieps, 2);
}

TEST_F(Anwenderliste, SuchfelderSchaltenMitIhremKasten)
{
    ASSERT_NE(fenster->kTelefon, nullptr);
    fenster->show();
    QApplication::setActiveWindow(fenster.get());
    fenster->kTelefon->setChecked(true);
    EXPECT_TRUE(fenster->sTelefon->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), fenster->sTelefon);
    fenster->sTelefon->setText(QStringLiteral("0621"));
    fenster->kTelefon->setChecked(false);
    EXPECT_FALSE(fenster->sTelefon->isEnabled());
    EXPECT_EQ(fenster->sTelefon->text(), QStringLiteral("0621"));
}

TEST_F(Anwenderliste, KopieSetztKommaNurInZahlenUndNieEinKennwort)
{
    gib_katalog_kelmor().csv_dezimalpunkt.setze_wert(NEIN);
    // Rows 1 to 3: "O'Brien", "abel", "meier".
    tab->setRangeSelected(QTableWidgetSelectionRange(1, fenster->sp_name, 3, fenster->sp_name), true);
    tab->setRangeSelected(QTableWidgetSelectionRange(1, fenster->sp_email, 3, fenster->sp_email), true);
    fenster->fcopybutton_clicked();
    const QStringList zeilen = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(zeilen.size(), 5) << QApplication::clipboard()->text().toStdString();
    EXPECT_EQ(zeilen.at(0), QStringLiteral("Anwender\tE-Mail"));
    EXPECT_EQ(zeilen.at(3), QStringLiteral("meier\tm.meier@x.de"));
    EXPECT_TRUE(markierte_zeilen().isEmpty());

    const int z = zeile("meier");
    tab->setzeText(z, fenster->sp_telefon, CQString("1.5"));
    tab->setRangeSelected(QTableWidgetSelectionRange(z, fenster->sp_telefon, z, fenster->sp_telefon), true);
    tab->setRangeSelected(QTableWidgetSelectionRange(z, fenster->sp_kennwort, z, fenster->sp_kennwort), true);
    fenster->fcopybutton_clicked();
    EXPECT_EQ(QApplication::clipboard()->text().section(QLatin1Char('\n'), 1), QStringLiteral("****\t1,5\n"))
        << QApplication::clipboard()->text().toStdString();
}

TEST_F(Anwenderliste, BemerkungWirdGekuerztGespeichertUndNachFehlerZurueckgesetzt)
{
    QStringList beschriftungen;
    dialog = [&](QWidget* w) {
        EingabeString* f = static_cast<CEingabeString*>(w)->gib_formular();
        beschriftungen << f->textLabel1->text() << f->textLabel2->text();
        f->lineEdit->setText(QStringLiteral("0123456789ABC"));
        return static_cast<int>(QDialog::Accepted);
    };
    {
        // Without a selected row nothing is asked and nothing sent.
        LogMitschnitt mitschnitt;
        fenster->EditBemerkung();
        fenster->DeleteItem();
        EXPECT_FALSE(enthaelt(mitschnitt.text(), "UPDATE")) << mitschnitt.text();
        EXPECT_FALSE(enthaelt(mitschnitt.text(), "DELETE")) << mitschnitt.text();
        EXPECT_TRUE(dialoge.isEmpty());
        EXPECT_TRUE(boxen.isEmpty());
    }
    const int z = zeile("meier");
    tab->selectRow(z);
    fenster->EditBemerkung();
    EXPECT_EQ(beschriftungen, (QStringList{QStringLiteral("Anwender meier"),
                                           QStringLiteral("maximal 10 Zeichen (wird beim Speichern abgeschnitten)")}));
    EXPECT_EQ(dialoge.value(0), QStringLiteral("Editieren der Bemerkung"));
    EXPECT_EQ(lies(QStringLiteral("SELECT anw_bemerkung FROM bv_anwender WHERE anw_id=1")).toString(),
              QStringLiteral("0123456789"));
    EXPECT_EQ(tab->zellText(z, fenster->sp_bemerkung), QStringLiteral("0123456789"));

    // A remark that could not be stored does not stay in the cell; its dialog comes again with it.
    ASSERT_TRUE(sql(QStringLiteral("ALTER TABLE bv_anwender RENAME TO bv_weg")));
    QStringList gezeigt;
    dialog = [&gezeigt](QWidget* w) {
        gezeigt << static_cast<CEingabeString*>(w)->gib_formular()->lineEdit->text();
        static_cast<CEingabeString*>(w)->gib_formular()->lineEdit->setText(QStringLiteral("neu"));
        return static_cast<int>(gezeigt.size() == 1 ? QDialog::Accepted : QDialog::Rejected);
    };
    tab->selectRow(z);
    fenster->EditBemerkung();
    EXPECT_EQ(gezeigt, (QStringList{QStringLiteral("0123456789"), QStringLiteral("neu")}));
    EXPECT_EQ(tab->zellText(z, fenster->sp_bemerkung), QStringLiteral("0123456789"));
    EXPECT_EQ(boxen.value(0), QStringLiteral("Fehler beim Zugriff auf Anwendertabelle !"));
}

TEST_F(Anwenderliste, ZellwechselLaedtZeileUndMeldetNurAbSpalteEins)
{
    struct Zaehler : QObject
    {
        QList<int> zeilen;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == CMainWindowEvent::typ)
                zeilen.append(static_cast<CMainWindowEvent*>(e)->gib_wert());
            return false;
        }
    } zaehler;
    fenster->installEventFilter(&zaehler);
    const int z = zeile("meier");
    fenster->ZelleGewechselt(z, 0, -1, -1);
    QCoreApplication::sendPostedEvents(fenster.get());
    EXPECT_EQ(fenster->anw_id, 1);
    EXPECT_TRUE(zaehler.zeilen.isEmpty());
    fenster->ZelleGewechselt(z, 2, z, 0);
    QCoreApplication::sendPostedEvents(fenster.get());
    EXPECT_EQ(zaehler.zeilen, QList<int>{z});
    EXPECT_EQ(fenster->ereignis_zeile, z);
}

TEST_F(Anwenderliste, NeuerAnwenderOhneKennwortEinmaligUndNurMitGruppe)
{
    // The previous user's stored password is in the edit state.
    fenster->lade_zeile(zeile("meier"));
    ASSERT_FALSE(fenster->anw_kennwort.isEmpty());
    ASSERT_TRUE(sql(QStringLiteral("DELETE FROM bv_anwender WHERE anw_id=1")));
    ASSERT_TRUE(fenster->lade_tabelle());

    fenster->eName->setzeText(CQString());
    fenster->eName->setzeText(CQString("meier"));
    ASSERT_TRUE(fenster->bAdd->isEnabled());
    fenster->cGruppe->setCurrentIndex(0);
    fenster->cRecht->setCurrentIndex(3);
    fenster->addEntry();
    EXPECT_EQ(lies(QStringLiteral("SELECT group_concat(anw_gruppe||anw_recht||ifnull(anw_langname,'-')||"
                                  "ifnull(anw_kennwort,'-')) FROM bv_anwender WHERE anw_name='meier'"))
                  .toString(),
              QStringLiteral("2W--"));
    const int z = zeile("meier");
    ASSERT_GE(z, 0);
    EXPECT_EQ(tab->zellText(z, fenster->sp_kennwort_marke), QString());
    EXPECT_EQ(tab->zellText(z, fenster->sp_kennwort), QString());
    EXPECT_EQ(dialoge, QStringList{QStringLiteral("Kennwort setzen")});
    EXPECT_TRUE(fenster->bChange->isEnabled());

    // The same name again, a name without a group, and no name: refused, nothing written.
    const int anzahl = lies(QStringLiteral("SELECT count(*) FROM bv_anwender")).toInt();
    fenster->setze_bearbeitungsmodus(false);
    fenster->addEntry();
    fenster->eName->setzeText(CQString("neu"));
    fenster->cGruppe->setCurrentIndex(-1);
    fenster->addEntry();
    fenster->eName->setzeText(CQString());
    EXPECT_FALSE(fenster->sichere_eingaben());
    fenster->eName->setzeText(CQString("neu"));
    EXPECT_EQ(boxen, (QStringList{QStringLiteral("Anwender 'meier' ist bereits vorhanden !"),
                                  QStringLiteral("Bitte eine gültige Gruppe wählen !"),
                                  QStringLiteral("Bitte einen Namen für den Anwender eingeben !")}));
    EXPECT_EQ(pieps, 3);
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_anwender")).toInt(), anzahl);
    EXPECT_EQ(tab->rowCount(), anzahl);

    // A row that cannot be filled is not left behind without its values.
    CBVEntwurf entwurf = gib_bv_grundentwurf();
    for (CBVSpalte& s : entwurf[bv_tag::anwender].spalten)
        if (s.tag == 37)
            s.name = QStringLiteral("anw_gibtsnicht");
    CBVDataBase kaputt(std::make_unique<CCDataBase>(CCDataBase::art_sqlite, CQString(bv_verbindungsname()), 1),
                       std::make_unique<CBVStruktur>(entwurf));
    setze_bv_datenbank(&kaputt);
    boxen.clear();
    fenster->cGruppe->setCurrentIndex(1);
    fenster->addEntry();
    setze_bv_datenbank(eigene.get());
    EXPECT_EQ(boxen, QStringList{QStringLiteral("Fehler beim Zugriff auf Anwendertabelle !")});
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_anwender")).toInt(), anzahl);
    EXPECT_EQ(tab->rowCount(), anzahl);
}

TEST_F(Anwenderliste, NameDerNichtMehrPasstHoltDieEigeneEingabeZurueck)
{
    ASSERT_TRUE(sql(QStringLiteral("UPDATE bv_anwender SET anw_langname='Hans Meier', anw_telefon='111' WHERE anw_id=1")));
    ASSERT_TRUE(fenster->lade_tabelle());
    fenster->eLang->setzeText(CQString("Neue Person"));
    fenster->eTelefon->setzeText(CQString("999"));
    fenster->cRecht->setCurrentIndex(0);
    // Longer than the column: the field takes only what the column holds.
    fenster->cAbteilung->setEditText(QString(150, QLatin1Char('a')));
    fenster->changeAbteilungText();

    // Typed key by key: at "meier" the existing user's row is loaded, at "meier2" it no longer fits.
    QString getippt;
    for (const QChar zeichen : QStringLiteral("meier2")) {
        getippt += zeichen;
        fenster->eName->setzeText(CQString(getippt));
        if (getippt == QLatin1String("meier")) {
            EXPECT_EQ(fenster->eLang->text(), QStringLiteral("Hans Meier"));
            EXPECT_FALSE(fenster->bAdd->isEnabled());
        }
    }
    EXPECT_EQ(fenster->eLang->text(), QStringLiteral("Neue Person"));
    EXPECT_EQ(fenster->eTelefon->text(), QStringLiteral("999"));
    EXPECT_EQ(fenster->cRecht->currentIndex(), 0);
    ASSERT_TRUE(fenster->bAdd->isEnabled());
    fenster->addEntry();

    const QString werte = QStringLiteral("SELECT anw_langname||'|'||anw_telefon||'|'||anw_recht||'|'||ifnull(anw_email,'-')"
                                         "||'|'||length(ifnull(anw_abteilung,'')) FROM bv_anwender WHERE anw_name='%1'");
    EXPECT_EQ(lies(werte.arg(QStringLiteral("meier2"))).toString(), QStringLiteral("Neue Person|999|R|-|100"));
    EXPECT_EQ(lies(werte.arg(QStringLiteral("meier"))).toString(), QStringLiteral("Hans Meier|111|W|m.meier@x.de|0"));
}

TEST_F(Anwenderliste, KennwortGebundenGespeichertUndNieProtokolliert)
{
    fenster->lade_zeile(zeile("abel"));
    // Written only while the row holds the password shown: none, then the first one.
    for (const auto& [stufe, kennwort, gespeichert, vorher] :
         {std::tuple{1, "Test0", "5465737430", " IS NULL"}, std::tuple{2, "Test1", "5465737431", " COLLATE BINARY=?"}}) {
        gib_bv_ccdatabase()->setze_protokollstufe(stufe);
        LogMitschnitt mitschnitt;
        kennwort_antwort(QLatin1String(kennwort), QLatin1String(kennwort));
        fenster->changeKennwort();
        fenster->lade_tabelle();
        fenster->lade_zeile(zeile("abel"));
        EXPECT_FALSE(enthaelt(mitschnitt.text(), kennwort));
        EXPECT_FALSE(enthaelt(mitschnitt.text(), gespeichert));
        EXPECT_TRUE(enthaelt(mitschnitt.text(), (std::string("UPDATE bv_anwender SET anw_kennwort=? WHERE (anw_id=?) AND "
                                                             "(anw_name COLLATE BINARY=?) AND (anw_kennwort") + vorher + ");").c_str()))
            << mitschnitt.text();
    }
    EXPECT_EQ(lies(QStringLiteral("SELECT anw_kennwort FROM bv_anwender WHERE anw_id=3")).toString(),
              QStringLiteral("5465737431"));
    EXPECT_EQ(tab->zellText(zeile("abel"), fenster->sp_kennwort_marke), QStringLiteral("***"));
    for (int z = 0; z < tab->rowCount(); ++z)
        for (int sp = 0; sp < tab->columnCount(); ++sp)
            if (!tab->isColumnHidden(sp) && tab->item(z, sp)) {
                EXPECT_FALSE((tab->item(z, sp)->text() + tab->item(z, sp)->toolTip()).contains(QStringLiteral("54657")));
            }

    kennwort_antwort(QStringLiteral("Test1"), QStringLiteral("Test2"));
    fenster->changeKennwort();
    EXPECT_EQ(boxen, QStringList{QStringLiteral("Kennworte stimmen nicht überein !")});
    EXPECT_EQ(lies(QStringLiteral("SELECT anw_kennwort FROM bv_anwender WHERE anw_id=3")).toString(),
              QStringLiteral("5465737431"));

    kennwort_antwort(QString(), QString());
    fenster->changeKennwort();
    const QVariant leer = lies(QStringLiteral("SELECT anw_kennwort FROM bv_anwender WHERE anw_id=3"));
    EXPECT_FALSE(leer.isNull());
    EXPECT_EQ(leer.toString(), QString());
    EXPECT_EQ(tab->zellText(zeile("abel"), fenster->sp_kennwort_marke), QString());
}

TEST_F(Anwenderliste, LoeschenVerweigertAngemeldeteUndFragtSonst)
{
    gib_katalog_privat().anwender.setze_wert_qstr(CQString("abel"));
    tab->selectRow(zeile("Meyer"));
    fenster->DeleteItem();
    tab->clearSelection();
    tab->selectRow(zeile("abel"));
    fenster->DeleteItem();
    EXPECT_EQ(boxen, (QStringList{
                         QStringLiteral("Anwender löschen|Anwender darf nicht gelöscht werden !\n Der Anwender 'Meyer' "
                                        "benutzt gerade Kelmor !"),
                         QStringLiteral("Anwender löschen|Anwender darf nicht gelöscht werden !\n Sie selbst sind als "
                                        "Kelmor Anwender 'abel' angemeldet !")}));
    EXPECT_EQ(tab->rowCount(), 4);

    // The menu names the row that its delete action deletes, not the current one.
    boxen.clear();
    tab->clearSelection();
    tab->setCurrentCell(zeile("Meyer"), 0);
    tab->clearSelection();
    tab->selectRow(zeile("meier"));
    dialog = [](QWidget* w) {
        const auto* menue = qobject_cast<QMenu*>(w);
        if (!menue)
            return 0;
        EXPECT_EQ(menue->actions().value(0)->text(), QStringLiteral("'meier' Löschen"));
        menue->actions().value(0)->trigger();
        return 1;
    };
    emit tab->customContextMenuRequested(QPoint());
    EXPECT_EQ(boxen.value(0).section(QLatin1Char('|'), 1), QStringLiteral("Anwender 'meier' endgültig löschen?"));
    EXPECT_EQ(tab->rowCount(), 4);

    antwort = QStringLiteral("Ja");
    LogMitschnitt mitschnitt;
    tab->selectRow(zeile("meier"));
    fenster->DeleteItem();
    EXPECT_EQ(zeile("meier"), -1);
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_anwender WHERE anw_name='meier'")).toInt(), 0);
    EXPECT_TRUE(enthaelt(mitschnitt.text(), "Anwender 'meier' gelöscht")) << mitschnitt.text();
}

TEST_F(Anwenderliste, EmailNachExaktemNamenUndNurAngemeldet)
{
    EXPECT_EQ(gib_anwender_email_tags(CQString("O'Brien")), QStringLiteral("ob@x.de"));
    EXPECT_EQ(gib_anwender_email_tags(CQString("o'brien")), QString());
    {
        LogMitschnitt mitschnitt;
        EXPECT_EQ(gib_anwender_email_tags(CQString()), QString());
        EXPECT_FALSE(enthaelt(mitschnitt.text(), "SELECT"));
    }
    // An Oracle object with the automatic log-on compares without case.
    gib_katalog_kelmor().windows_auto_login.setze_wert(JA);
    EXPECT_TRUE(gib_windows_auto_login());
    CBVDataBase oracle(std::make_unique<CCDataBase>(CCDataBase::art_oracle, CQString(bv_verbindungsname()), 1),
                       std::make_unique<CBVStruktur>(gib_bv_grundentwurf()));
    setze_bv_datenbank(&oracle);
    {
        LogMitschnitt mitschnitt;
        EXPECT_EQ(gib_anwender_email_tags(CQString("o'brien")), QStringLiteral("ob@x.de"));
        // The name is bound: the log shows the placeholder, never the name.
        EXPECT_TRUE(enthaelt(mitschnitt.text(), "WHERE (LOWER(anw_name)=LOWER(?))")) << mitschnitt.text();
        EXPECT_FALSE(enthaelt(mitschnitt.text(), "o'brien")) << mitschnitt.text();
    }
    setze_bv_datenbank(eigene.get());
    fenster.reset();
    bv_abmelden();
    EXPECT_EQ(gib_anwender_email_tags(CQString("O'Brien")), QString());
}

TEST(AnwenderlisteSequenz, HinzufuegenIstEinEinzigesInsert)
{
    Skript& skript = Skript::gib();
    skript.leere();
    ASSERT_TRUE(QSqlDatabase::addDatabase(SkriptTreiber::name(), QStringLiteral("oracle")).open());
    skript.antworte_muster(QStringLiteral("count"), SkriptAntwort::wert(0));
    skript.antworte_muster(QStringLiteral("nextval"), SkriptAntwort::wert(5));
    skript.antworte_muster(QStringLiteral("^INSERT"), SkriptAntwort{{}, {}, {}, 1});
    skript.antworte_muster(QStringLiteral("^SELECT grp_id,grp_name FROM"), SkriptAntwort{{"grp_id", "grp_name"}, {{2, "Technik"}}, {}, 0});
    {
        CBVDataBase bv(std::make_unique<CCDataBase>(CCDataBase::art_oracle, CQString("oracle"), 1),
                       std::make_unique<CBVStruktur>(gib_bv_grundentwurf()));
        setze_bv_datenbank(&bv);
        setze_modal_funktion([](QWidget*) { return 0; });
        CAnwenderListe fenster;
        fenster.eName->setzeText(CQString("meier"));
        fenster.cRecht->setCurrentIndex(3);
        fenster.addEntry();
        setze_modal_funktion({});
        setze_bv_datenbank(nullptr);
        loesche_gruppen();
        EXPECT_EQ(fenster.gib_tabelle()->rowCount(), 1);
    }
    const QStringList alle = skript.ausgefuehrt();
    EXPECT_EQ(alle.filter(QStringLiteral("INSERT")).size(), 1) << alle.join('\n').toStdString();
    EXPECT_TRUE(alle.filter(QStringLiteral("UPDATE")).isEmpty()) << alle.join('\n').toStdString();
    QSqlDatabase::database(QStringLiteral("oracle"), false).close();
    QSqlDatabase::removeDatabase(QStringLiteral("oracle"));
}

} // namespace
