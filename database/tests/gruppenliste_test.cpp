// The group page of the user administration on SQLite: columns, deletion checks, add, rename, search.
#include "bvtest.h"
#include "bvdbeinstellungen.h"
#include "bvstruktur.h"
#include "caclgroup.h"
#include "cbvdatabase.h"
#include "ccombobox.h"
#include "cdbdatenstruktur.h"
#include "cdbtabelle.h"
#include "cgruppenliste.h"
#include "cqmenu.h"
#include "cqtableview.h"
#include "dialogseam.h"
#include "logmitschnitt.h"
#include "plattform.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Gruppenliste : public BVTest
{
protected:
    void SetUp() override
    {
        BVTest::SetUp();
        melde_an({"INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (1,'Buch'), (2,'Technik'), (5,'Lager')"});
    }
    void TearDown() override
    {
        seite.reset();
        BVTest::TearDown();
    }
    void baue()
    {
        seite = std::make_unique<CGruppenListe>();
        liste = seite->findChild<CQTableView*>();
        igruppe = seite->findChild<CComboBox*>(QStringLiteral("grp_igruppe"));
        sgruppe = seite->findChild<CComboBox*>(QStringLiteral("grp_sgruppe"));
        ASSERT_TRUE(liste && igruppe && sgruppe);
    }
    QPushButton* knopf(const char* text) const
    {
        for (QPushButton* k : seite->findChildren<QPushButton*>())
            if (k->text() == QString::fromUtf8(text))
                return k;
        return nullptr;
    }
    // The names as listed, in the list's order.
    QStringList namen() const
    {
        QStringList text;
        for (int zeile = 0; zeile < liste->model()->rowCount(); ++zeile)
            text.append(liste->zellDaten(zeile, 0).toString() + QLatin1Char(':') + liste->zellDaten(zeile, 1).toString());
        return text;
    }
    static QStringList eintraege(const CComboBox* box)
    {
        QStringList text;
        for (int i = 0; i < box->count(); ++i)
            text.append(box->itemText(i));
        return text;
    }
    void waehle(const char* name)
    {
        const int index = igruppe->findText(QString::fromUtf8(name));
        ASSERT_GE(index, 0) << name;
        igruppe->setCurrentIndex(index);
        seite->changeGroup(index);
    }

    std::unique_ptr<CGruppenListe> seite;
    CQTableView* liste = nullptr;
    CComboBox* igruppe = nullptr;
    CComboBox* sgruppe = nullptr;
};

// Line edits of the page itself, not the edit fields of its combo boxes.
int eigene_zeilenfelder(const QWidget* seite)
{
    int anzahl = 0;
    for (const QLineEdit* feld : seite->findChildren<QLineEdit*>())
        anzahl += qobject_cast<QComboBox*>(feld->parentWidget()) ? 0 : 1;
    return anzahl;
}

QStringList titel(const CQTableView* liste)
{
    QStringList text;
    for (int spalte = 0; spalte < liste->model()->columnCount(); ++spalte)
        text.append(liste->model()->headerData(spalte, Qt::Horizontal).toString());
    return text;
}

} // namespace

TEST_F(Gruppenliste, OptionaleSpaltenNurWennDieStrukturSieHat)
{
    baue();
    EXPECT_EQ(titel(liste), QStringList({"ID", "Gruppe", "Bezirk", "Telefon"}));
    EXPECT_EQ(eigene_zeilenfelder(seite.get()), 2);
    EXPECT_EQ(namen(), QStringList({"1:Buch", "2:Technik", "5:Lager"}));
    EXPECT_EQ(eintraege(igruppe), QStringList({"Buch", "Lager", "Technik"}));
    seite.reset();

    CDBTabelle* tabelle = gib_bv_datenbank()->gib_struktur()->gib_tabelle(bv_tag::gruppen);
    tabelle->setze_listen({10, 20}, {17, 1}, {CQString("ID"), CQString("Gruppe")},
                          {CQString("grp_id"), CQString("grp_name")}, {CQString(), CQString()}, {0, 100});
    baue();
    EXPECT_EQ(titel(liste), QStringList({"ID", "Gruppe"}));
    EXPECT_EQ(eigene_zeilenfelder(seite.get()), 0);
    EXPECT_EQ(namen().size(), 3);
    seite.reset();

    CDBDatenstruktur* struktur = gib_bv_datenbank()->gib_struktur();
    struktur->setze_listen({bv_tag::anwender}, {CQString("bv_anwender")}, {struktur->gib_tabelle(bv_tag::anwender)});
    seite = std::make_unique<CGruppenListe>();
    seite->aktualisiere_gruppen();
    EXPECT_EQ(seite->findChild<CQTableView*>(), nullptr);
    ASSERT_EQ(seite->findChildren<QLabel*>().size(), 1);
    EXPECT_TRUE(seite->findChild<QLabel*>()->text().contains(QStringLiteral("keine Gruppentabelle")));
    EXPECT_TRUE(kritisch.isEmpty()) << kritisch.join('\n').toStdString();
}

TEST_F(Gruppenliste, GruppeMitAnwendernWirdNichtGeloeschtAuchBeiUnlesbarerZahl)
{
    baue();
    ASSERT_TRUE(sql(QStringLiteral("INSERT INTO bv_anwender (anw_id, anw_gruppe) VALUES (1, 2)")));
    waehle("Technik");
    seite->deleteEntry();
    for (int id = 2; id <= 3; ++id)
        ASSERT_TRUE(sql(QStringLiteral("INSERT INTO bv_anwender (anw_id, anw_gruppe) VALUES (%1, 2)").arg(id)));
    seite->deleteEntry();
    ASSERT_TRUE(sql(QStringLiteral("DROP TABLE bv_anwender")));
    seite->deleteEntry();
    EXPECT_EQ(fragen, QStringList({
                         "Gruppe löschen|Gruppe 'Technik' kann nicht gelöscht werden, gelöscht werden, da dieser noch "
                         "ein Anwender zugeordnet ist !",
                         "Gruppe löschen|Gruppe 'Technik' kann nicht gelöscht werden, gelöscht werden, da dieser noch 3 "
                         "Anwender zugeordnet sind !",
                     }));
    // A count that cannot be read refuses too, and says so instead of naming a number of users.
    EXPECT_EQ(kritisch, QStringList{QStringLiteral("Fehler beim Zugriff auf Anwendertabelle !")});
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_gruppen WHERE grp_id=2")).toInt(), 1);
    EXPECT_EQ(namen().size(), 3);
}

TEST_F(Gruppenliste, UnbenutzteGruppeNurNachJaGeloeschtUndUeberallFort)
{
    baue();
    int geaendert = 0;
    QObject::connect(seite.get(), &CGruppenListe::gruppen_geaendert, [&geaendert] { ++geaendert; });
    waehle("Lager");
    antwort = QStringLiteral("Nein");
    seite->deleteEntry();
    EXPECT_EQ(fragen, QStringList({"Gruppe löschen|Gruppe 'Lager' endgültig löschen?"}));
    fragen.clear();
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_gruppen")).toInt(), 3);
    EXPECT_EQ(geaendert, 0);

    // This time through the list's context menu: a right click on the row.
    antwort = QStringLiteral("Ja");
    LogMitschnitt mitschnitt;
    const QPoint punkt = liste->visualRect(liste->gibIndex(2, 1)).center();
    for (QEvent::Type art : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent klick(art, punkt, liste->viewport()->mapToGlobal(punkt), Qt::RightButton,
                          art == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(liste->viewport(), &klick);
    }
    auto* menue = seite->findChild<CQMenu*>();
    ASSERT_NE(menue, nullptr);
    ASSERT_EQ(menue->actions().size(), 1);
    EXPECT_EQ(menue->actions().at(0)->text(), QStringLiteral("Löschen"));
    menue->actions().at(0)->trigger();
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_gruppen WHERE grp_name='Lager'")).toInt(), 0);
    EXPECT_NE(mitschnitt.text().find("Gruppe 'Lager' gelöscht"), std::string::npos) << mitschnitt.text();
    EXPECT_EQ(namen(), QStringList({"1:Buch", "2:Technik"}));
    EXPECT_EQ(eintraege(igruppe), QStringList({"Buch", "Technik"}));
    EXPECT_EQ(eintraege(sgruppe), QStringList({"Buch", "Technik"}));
    ASSERT_EQ(gib_gruppenliste().size(), 2);
    EXPECT_EQ(geaendert, 1);
    EXPECT_EQ(fragen, QStringList({"Gruppe löschen|Gruppe 'Lager' endgültig löschen?"}));
}

TEST_F(Gruppenliste, NeuerNameHinzufuegenUmbenennenUndGenauGespeichert)
{
    baue();
    int geaendert = 0;
    QObject::connect(seite.get(), &CGruppenListe::gruppen_geaendert, [&geaendert] { ++geaendert; });
    waehle("Technik");
    EXPECT_EQ(seite->gib_aktuelle_gruppe(), 2);
    igruppe->setEditText(QStringLiteral("Neu"));
    EXPECT_TRUE(knopf("Hinzufügen")->isEnabled());
    EXPECT_TRUE(knopf("&Ändern")->isEnabled());
    EXPECT_FALSE(knopf("&Löschen")->isEnabled());

    seite->addEntry();
    EXPECT_EQ(lies(QStringLiteral("SELECT grp_name FROM bv_gruppen WHERE grp_id=6")).toString(), QStringLiteral("Neu"));
    EXPECT_TRUE(namen().contains(QStringLiteral("6:Neu")));
    EXPECT_EQ(eintraege(igruppe), QStringList({"Buch", "Lager", "Neu", "Technik"}));
    EXPECT_EQ(seite->gib_aktuelle_gruppe(), 6);

    waehle("Technik");
    igruppe->setEditText(QStringLiteral("Betrieb"));
    seite->changeEntry();
    EXPECT_EQ(lies(QStringLiteral("SELECT grp_name FROM bv_gruppen WHERE grp_id=2")).toString(), QStringLiteral("Betrieb"));
    EXPECT_TRUE(namen().contains(QStringLiteral("2:Betrieb")));
    EXPECT_EQ(eintraege(sgruppe), QStringList({"Betrieb", "Buch", "Lager", "Neu"}));
    EXPECT_EQ(seite->gib_aktuelle_gruppe(), 2);

    // Typed letter by letter, a new name may pass a listed one: the group renamed is still the one
    // chosen, with its own district.
    waehle("Lager");
    igruppe->setEditText(QStringLiteral("Buch"));
    igruppe->setEditText(QStringLiteral("Buchhaltung"));
    seite->changeEntry();
    QStringList umbenannt = namen();
    umbenannt.sort();
    EXPECT_EQ(umbenannt.join(" ").toStdString(), "1:Buch 2:Betrieb 5:Buchhaltung 6:Neu");
    const QString schwierig = QStringLiteral("O'Hara \\ Ωmega");
    igruppe->setEditText(schwierig);
    seite->addEntry();
    EXPECT_EQ(lies(QStringLiteral("SELECT grp_name FROM bv_gruppen WHERE grp_id=7")).toString(), schwierig);
    EXPECT_TRUE(eintraege(igruppe).contains(schwierig));
    // A rename is cut to the column's width like an added name.
    igruppe->setEditText(QString(150, QLatin1Char('x')));
    seite->changeEntry();
    EXPECT_EQ(lies(QStringLiteral("SELECT length(grp_name) FROM bv_gruppen WHERE grp_id=7")).toInt(), 100);
    EXPECT_EQ(geaendert, 5);
    EXPECT_TRUE(kritisch.isEmpty()) << kritisch.join('\n').toStdString();
}

TEST_F(Gruppenliste, LeererNameWirdMitMeldungVerweigertUndFehlschlagLaesstKeineLeereGruppe)
{
    baue();
    waehle("Technik");
    igruppe->setEditText(QStringLiteral("   "));
    seite->addEntry();
    seite->changeEntry();
    EXPECT_EQ(pieps, 2);
    EXPECT_EQ(kritisch, QVector<QString>(2, "Bitte einen Namen für die Gruppe eingeben !").toList());
    kritisch.clear();
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_gruppen")).toInt(), 3);
    EXPECT_EQ(lies(QStringLiteral("SELECT grp_name FROM bv_gruppen WHERE grp_id=2")).toString(), QStringLiteral("Technik"));

    // Writing the new row fails: no row must stay behind without its name.
    ASSERT_TRUE(sql(QStringLiteral("CREATE TRIGGER sperre BEFORE INSERT ON bv_gruppen WHEN NEW.grp_name='Kaputt' "
                                   "BEGIN SELECT RAISE(ABORT, 'gesperrt'); END")));
    igruppe->setEditText(QStringLiteral("Kaputt"));
    seite->addEntry();
    EXPECT_EQ(kritisch, QStringList({"Fehler beim Zugriff auf Gruppentabelle !"}));
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_gruppen")).toInt(), 3);
    EXPECT_EQ(namen().size(), 3);
}

TEST_F(Gruppenliste, SucheWaehltAlleTrefferUndLaesstKeineAktuelleGruppe)
{
    baue();
    const auto markiert = [this] {
        QStringList text;
        for (const QModelIndex& index : liste->selectionModel()->selectedRows(1))
            text.append(index.data().toString());
        text.sort();
        return text;
    };
    waehle("Buch");
    sgruppe->setEditText(QStringLiteral("e"));
    seite->findEntries();
    EXPECT_EQ(markiert(), QStringList({"Lager", "Technik"}));
    EXPECT_EQ(seite->gib_aktuelle_gruppe(), -1);

    sgruppe->setEditText(QStringLiteral("ech"));
    seite->findEntries();
    EXPECT_EQ(markiert(), QStringList({"Technik"}));
    EXPECT_EQ(seite->gib_aktuelle_gruppe(), -1);
    EXPECT_EQ(igruppe->currentText(), QString());
    const QStringList vorher = markiert();
    sgruppe->setEditText(QStringLiteral("x"));
    seite->findEntries();
    EXPECT_EQ(markiert(), vorher);
}
