// The common GUI functions: file dialogs that remember their folder, colours, message boxes, settings, start-up entries.
#include "cbasis.h"
#include "ckrypt.h"
#include "cqstringsteuer.h"
#include "dialogseam.h"
#include "gui.h"
#include "plattform.h"
#include "steuervarliste.h"
#include "verzeichnisse.h"
#include "widgeteinstellungen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <log4cpp/Category.hh>
#include <log4cpp/PatternLayout.hh>
#include <log4cpp/StringQueueAppender.hh>

namespace {

struct Frage
{
    QMessageBox::Icon symbol = QMessageBox::NoIcon;
    QString titel;
    QString text;
    QStringList knoepfe;
    int standard = -1;
    int abbruch = -1;
};

struct DialogAufruf
{
    QString titel;
    QString start;
    QString filter;
    QFileDialog::Options optionen;
};

// Answers the dialogs as the test says and records what they were asked.
class DateiDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(tmp.path()).mkpath(QStringLiteral("x")));
        setze_anwendungsname(QStringLiteral("Aktualisierer"));
        setze_oeffnen_funktion([this](QWidget*, const QString& titel, const QString& start, const QString& filter) {
            aufrufe.push_back({titel, start, filter, {}});
            return antwort;
        });
        setze_speichern_funktion([this](QWidget*, const QString& titel, const QString& vorschlag,
                                        const QString& filter, QFileDialog::Options optionen) {
            aufrufe.push_back({titel, vorschlag, filter, optionen});
            return antwort;
        });
        setze_frage_funktion([this](QWidget*, QMessageBox::Icon symbol, const QString& titel, const QString& text,
                                    const QStringList& knoepfe, int standard, int abbruch) {
            fragen.push_back({symbol, titel, text, knoepfe, standard, abbruch});
            return knoepfe.indexOf(frage_antwort);
        });
    }
    void TearDown() override
    {
        setze_oeffnen_funktion(nullptr);
        setze_speichern_funktion(nullptr);
        setze_frage_funktion(nullptr);
    }

    QString pfad(const QString& relativ) const { return tmp.path() + QLatin1Char('/') + relativ; }
    static QString eigener_ordner() { return gib_eigene_dateien().absolutePath(); }

    QString speichere(bool ganzer_pfad, bool fragen_an)
    {
        return speichere_datei_dialog(nullptr, ordner, "PDF-Datei", "Bericht", ".pdf", "X", ganzer_pfad, fragen_an);
    }

    QTemporaryDir tmp;
    CQStringSteuer ordner{CQString("/Test/gui/ordner"), CQString(""), CQString(""), false};
    QString antwort;
    QString frage_antwort;
    std::vector<DialogAufruf> aufrufe;
    std::vector<Frage> fragen;
};

} // namespace

TEST_F(DateiDialog, SpeichernFragtNurWennDieEndungAngehaengtWurde)
{
    QFile datei(pfad("x/Bericht.pdf"));
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.close();
    ordner.setze_wert_qstr(CQString(pfad("alt")));
    antwort = pfad("x/Bericht");

    frage_antwort = QStringLiteral("Nein");
    EXPECT_EQ(speichere(false, true), QString());
    EXPECT_EQ(ordner.gib_wert_qstr(), pfad("alt"));
    ASSERT_EQ(fragen.size(), 1u);
    EXPECT_EQ(fragen[0].symbol, QMessageBox::Information);
    EXPECT_EQ(fragen[0].titel, QStringLiteral("Aktualisierer"));
    EXPECT_EQ(fragen[0].text, QStringLiteral("Die Datei %1 ist bereits vorhanden !\nÜberschreiben ?")
                                  .arg(pfad("x/Bericht.pdf")));
    EXPECT_EQ(fragen[0].knoepfe, QStringList({QStringLiteral("Ja"), QStringLiteral("Nein")}));
    EXPECT_EQ(fragen[0].standard, 1);
    EXPECT_EQ(fragen[0].abbruch, 1);
    // Asking is on: the dialog itself confirms a name typed in full.
    ASSERT_EQ(aufrufe.size(), 1u);
    EXPECT_EQ(aufrufe[0].optionen, QFileDialog::Options());
    EXPECT_EQ(aufrufe[0].filter, QStringLiteral("PDF-Datei (*.pdf)"));
    EXPECT_EQ(aufrufe[0].titel, QStringLiteral("X"));

    frage_antwort = QStringLiteral("Ja");
    EXPECT_EQ(speichere(false, true), pfad("x/Bericht.pdf"));
    EXPECT_EQ(ordner.gib_wert_qstr(), pfad("x"));
    EXPECT_EQ(fragen.size(), 2u);

    // The name already carries the extension in another case: no second one, no question.
    antwort = pfad("x/BERICHT.PDF");
    EXPECT_EQ(speichere(false, true), pfad("x/BERICHT.PDF"));
    EXPECT_EQ(fragen.size(), 2u);

    // Without asking nothing is asked, even for an existing completed name.
    antwort = pfad("x/Bericht");
    EXPECT_EQ(speichere(false, false), pfad("x/Bericht.pdf"));
    EXPECT_EQ(aufrufe.back().optionen, QFileDialog::Options(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(fragen.size(), 2u);
}

TEST_F(DateiDialog, SpeichernSchlaegtVorUndMerktSichOrdnerOderPfad)
{
    // Empty variable: the personal folder, whether or not the whole path is kept.
    antwort.clear();
    EXPECT_EQ(speichere(true, false), QString());
    EXPECT_EQ(speichere(false, false), QString());
    ASSERT_EQ(aufrufe.size(), 2u);
    EXPECT_EQ(aufrufe[0].start, eigener_ordner() + QStringLiteral("/Bericht.pdf"));
    EXPECT_EQ(aufrufe[1].start, eigener_ordner() + QStringLiteral("/Bericht.pdf"));
    EXPECT_EQ(ordner.gib_wert_qstr(), QString());

    // Whole path kept: the value is the proposal and the completed path is stored.
    ordner.setze_wert_qstr(CQString(pfad("x/alt.pdf")));
    antwort = pfad("x/neu");
    EXPECT_EQ(speichere(true, true), pfad("x/neu.pdf"));
    EXPECT_EQ(aufrufe.back().start, pfad("x/alt.pdf"));
    EXPECT_EQ(ordner.gib_wert_qstr(), pfad("x/neu.pdf"));

    // Folder kept: the folder of the value with the proposed name.
    EXPECT_EQ(speichere(false, true), pfad("x/neu.pdf"));
    EXPECT_EQ(aufrufe.back().start, pfad("x/Bericht.pdf"));
    EXPECT_EQ(ordner.gib_wert_qstr(), pfad("x"));
    EXPECT_TRUE(fragen.empty());
}

TEST_F(DateiDialog, OeffnenMerktSichDateiOderOrdner)
{
    antwort = pfad("x/a.txt");
    EXPECT_EQ(oeffne_datei_dialog(nullptr, ordner, "Texte (*.txt)", "Oeffnen", false), pfad("x/a.txt"));
    ASSERT_EQ(aufrufe.size(), 1u);
    EXPECT_EQ(aufrufe[0].start, eigener_ordner() + QLatin1Char('/'));
    EXPECT_EQ(aufrufe[0].filter, QStringLiteral("Texte (*.txt)"));
    EXPECT_EQ(aufrufe[0].titel, QStringLiteral("Oeffnen"));
    EXPECT_EQ(ordner.gib_wert_qstr(), pfad("x"));

    // A relative answer comes back absolute.
    const QString alt = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tmp.path()));
    antwort = QStringLiteral("x/../x/b.txt");
    EXPECT_EQ(oeffne_datei_dialog(nullptr, ordner, "", "", true), pfad("x/b.txt"));
    QDir::setCurrent(alt);
    EXPECT_EQ(aufrufe.back().start, pfad("x"));
    EXPECT_EQ(ordner.gib_wert_qstr(), pfad("x/b.txt"));

    antwort.clear();
    EXPECT_EQ(oeffne_datei_dialog(nullptr, ordner, "", "", false), QString());
    EXPECT_EQ(aufrufe.back().start, pfad("x/b.txt"));
    EXPECT_EQ(ordner.gib_wert_qstr(), pfad("x/b.txt"));
}

TEST(Fragebox, OhneErsatzZeigtSieDieBenanntenKnoepfe)
{
    QString standard, abbruch, titel, text;
    QMessageBox::Icon symbol = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        standard = box->defaultButton() ? box->defaultButton()->text() : QString();
        abbruch = box->escapeButton() ? box->escapeButton()->text() : QString();
        titel = box->windowTitle();
        text = box->text();
        symbol = box->icon();
        for (QAbstractButton* k : box->buttons())
            if (k->text() == QLatin1String("Ja"))
                k->click();
    });
    EXPECT_EQ(frage_mit_knoepfen(nullptr, QMessageBox::Information, "T", "Wirklich ?", {"Ja", "Nein"}, 1, 1), 0);
    EXPECT_EQ(standard, QStringLiteral("Nein"));
    EXPECT_EQ(abbruch, QStringLiteral("Nein"));
    EXPECT_EQ(titel, QStringLiteral("T"));
    EXPECT_EQ(text, QStringLiteral("Wirklich ?"));
    EXPECT_EQ(symbol, QMessageBox::Information);
}

TEST(Farben, KnopfUeberStylesheetAndereUeberDiePalette)
{
    const QColor farbe(250, 200, 201);
    QPushButton knopf;
    const QPalette knopf_palette = knopf.palette();
    setze_hintergrundfarbe(&knopf, farbe);
    EXPECT_EQ(knopf.styleSheet(), QStringLiteral("background-color: #fac8c9"));
    EXPECT_EQ(knopf.palette(), knopf_palette);
    // Mode 1 colours a button's palette too.
    setze_farbe(1, &knopf, farbe);
    EXPECT_EQ(knopf.palette().color(QPalette::Disabled, knopf.foregroundRole()), farbe);

    QLabel label;
    setze_hintergrundfarbe(&label, farbe);
    EXPECT_TRUE(label.styleSheet().isEmpty());
    for (const auto gruppe : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        EXPECT_EQ(label.palette().color(gruppe, label.backgroundRole()), farbe);
    setze_farbe(QPalette::Base, &label, Qt::blue);
    EXPECT_EQ(label.palette().color(QPalette::Inactive, QPalette::Base), QColor(Qt::blue));
    EXPECT_EQ(label.palette().color(label.backgroundRole()), farbe);

    // A number that names no role leaves the palette alone.
    const QPalette vorher = label.palette();
    setze_farbe(QPalette::NColorRoles, &label, Qt::red);
    setze_farbe(-3, &label, Qt::red);
    setze_farbe(QPalette::NoRole, &label, Qt::red);
    EXPECT_EQ(label.palette(), vorher);

    // The background role takes the default's colour of the role; all else returns to the default.
    setze_hintergrundrolle(&label, QPalette::Highlight);
    const QPalette standard;
    EXPECT_EQ(label.palette().color(QPalette::Disabled, label.backgroundRole()), standard.color(QPalette::Highlight));
    EXPECT_EQ(label.palette().color(QPalette::Base), standard.color(QPalette::Base));
}

TEST(Meldungen, KritischGehtMitGuiUeberDenHakenOhneLog)
{
    QString titel, text;
    QMessageBox::StandardButtons knoepfe;
    QMessageBox::StandardButton standard = QMessageBox::NoButton;
    setze_meldung_funktion([&](QWidget*, const QString& t, const QString& x, QMessageBox::StandardButtons k,
                               QMessageBox::StandardButton s) {
        titel = t;
        text = x;
        knoepfe = k;
        standard = s;
        return QMessageBox::Retry;
    });
    auto* mitschnitt = new log4cpp::StringQueueAppender("mitschnitt");
    log4cpp::Category::getRoot().addAppender(mitschnitt);

    EXPECT_EQ(meldung_kritisch(nullptr, gib_meldungstitel(), CQString("kaputt"), QMessageBox::Ok | QMessageBox::Retry,
                               QMessageBox::Retry),
              QMessageBox::Retry);
    EXPECT_EQ(titel, QStringLiteral("???"));
    EXPECT_EQ(text, QStringLiteral("kaputt"));
    EXPECT_EQ(knoepfe, QMessageBox::Ok | QMessageBox::Retry);
    EXPECT_EQ(standard, QMessageBox::Retry);
    EXPECT_TRUE(mitschnitt->getQueue().empty());
    log4cpp::Category::getRoot().removeAppender(mitschnitt);
    setze_meldung_funktion(nullptr);
}

TEST(Meldungen, OhneGuiNurLogUndCancel)
{
    QTemporaryDir heim;
    QProcess prozess;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("HOME"), heim.path());
    prozess.setProcessEnvironment(umgebung);
    prozess.setWorkingDirectory(heim.path());
    prozess.start(QStringLiteral(OHNE_GUI), QStringList());
    ASSERT_TRUE(prozess.waitForFinished(60000));
    const QString ausgabe = QString::fromUtf8(prozess.readAllStandardOutput());
    const QString fehler = QString::fromUtf8(prozess.readAllStandardError());
    EXPECT_EQ(prozess.exitStatus(), QProcess::NormalExit) << qPrintable(fehler);
    EXPECT_EQ(prozess.exitCode(), 0) << qPrintable(fehler);
    EXPECT_TRUE(ausgabe.contains(QStringLiteral("cursor ueberstanden\n"))) << qPrintable(ausgabe);
    EXPECT_TRUE(ausgabe.contains(QStringLiteral("ERROR Festplatte voll: ä\n"))) << qPrintable(ausgabe);
    EXPECT_TRUE(ausgabe.contains(QStringLiteral("knopf %1\n").arg(int(QMessageBox::Cancel)))) << qPrintable(ausgabe);
    // No dialog can be shown: both answer as cancelled and the folder stays.
    EXPECT_TRUE(ausgabe.contains(QStringLiteral("oeffnen [] [] /vorher\n"))) << qPrintable(ausgabe);
}

TEST(Einstellungen, LesenOhneUndMitEinstellungsobjekt)
{
    EXPECT_FALSE(lese_einstellung(CQString("/Privat/egal")).isValid());
    QTemporaryDir tmp;
    QSettings einstellungen(tmp.filePath(QStringLiteral("e.ini")), QSettings::IniFormat);
    einstellungen.setValue(QStringLiteral("Privat/zahl"), 7);
    setze_einstellungen(&einstellungen);
    EXPECT_EQ(lese_einstellung(CQString("Privat/zahl")).toInt(), 7);
    EXPECT_FALSE(lese_einstellung(CQString("Privat/fehlt")).isValid());
    setze_einstellungen(nullptr);
}

TEST(WidgetStart, FarbenMausradUndKlasseneintraegeSindEinmalRegistriert)
{
    CWidgetEinstellungen& e = gib_widget_einstellungen();
    const struct
    {
        CVariableSteuerFarbe* variable;
        const char* schluessel;
        const char* vorgabe;
        const char* beschreibung;
    } farben[] = {
        {&e.farbe_nicht_vdn, "/Privat/Farbe_nichtVDN", "#BBEEEF",
         "Einfärbung des Hintergrundes, für Datenfelder welche nicht zum FNN Format gehören"},
        {&e.farbe_ptk_fehler, "/Privat/Farbe_ptkFehler", "#FF0001", "Schriftfarbe Protokoll bei Fehlern"},
        {&e.farbe_ptk_warnung, "/Privat/Farbe_ptkWarnung", "#8000F1", "Schriftfarbe Protokoll bei Warnungen"},
        {&e.farbe_pflichteintrag, "/Privat/Farbe_Pflichteintrag", "#FAC8C9",
         "Einfärbung des Hintergrundes, bei fehlendem Pflichteintrag"},
        {&e.farbe_tab_blau, "/Privat/Farbe_Tab_blau", "#E4EEFF", "blau"},
        {&e.farbe_tab_gelb, "/Privat/Farbe_Tab_gelb", "#FFFFE0", "gelb"},
        {&e.farbe_tab_grau, "/Privat/Farbe_Tab_grau", "#E0E0E0", "grau"},
        {&e.farbe_tab_gruen, "/Privat/Farbe_Tab_gruen", "#BBDD00", "gruen"},
        {&e.farbe_tab_hellgruen, "/Privat/Farbe_Tab_hellgruen", "#CCFFCC", "hellgruen"},
        {&e.farbe_tab_rot, "/Privat/Farbe_Tab_rot", "#FFD3D3", "rot"},
        {&e.farbe_tab_weiss, "/Privat/Farbe_Tab_weiss", "#FFFFFF", "weiss"},
    };
    const CSteuerVarListe& liste = *gib_steuervar_liste();
    auto anzahl_eintraege = [&](const CVariableBasis* v) {
        return std::count_if(liste.begin(), liste.end(), [v](const auto& eintrag) { return eintrag.second == v; });
    };
    for (const auto& f : farben) {
        SCOPED_TRACE(f.schluessel);
        ASSERT_EQ(liste.count(f.schluessel), 1u);
        EXPECT_EQ(liste.at(f.schluessel), f.variable);
        EXPECT_EQ(anzahl_eintraege(f.variable), 1);
        EXPECT_EQ(f.variable->gib_schluessel(), f.schluessel);
        EXPECT_EQ(f.variable->gib_defaultwert_str(), f.vorgabe);
        EXPECT_EQ(f.variable->gib_wert(), f.vorgabe);
        EXPECT_EQ(f.variable->gib_beschreibung().gib_string(), f.beschreibung);
        EXPECT_EQ(QColor(*f.variable), string_zu_farbe(CQString(f.vorgabe)));
    }
    EXPECT_EQ(e.farbe_tab_gruen.rot, 187);
    EXPECT_EQ(e.farbe_tab_gruen.gruen, 221);
    EXPECT_EQ(e.farbe_tab_gruen.blau, 0);

    ASSERT_EQ(liste.count("/Privat/Mausrad_in_Combobox"), 1u);
    EXPECT_EQ(liste.at("/Privat/Mausrad_in_Combobox"), &e.mausrad_in_combobox);
    EXPECT_EQ(anzahl_eintraege(&e.mausrad_in_combobox), 1);
    EXPECT_EQ(e.mausrad_in_combobox.gib_wert(), 1u);
    EXPECT_EQ(e.mausrad_in_combobox.gib_beschreibung().gib_string(), "Reaktion auf Mausrad in Comboboxen");

    for (const char* name : {"CCDataBase", "CDBDaten", "CDBDatenstruktur", "CDBTabelle", "CReihe", "CxReihe",
                             "CTableModell", "CTable", "CQKrypt"}) {
        const CKlasse* eintrag = CKlasse::finde(name);
        ASSERT_NE(eintrag, nullptr) << name;
        EXPECT_EQ(eintrag->gib_name(), name);
        EXPECT_EQ(eintrag->gib_eltern(), nullptr);
    }
    // The text codec answers with the entry registered here.
    const CQKrypt codec;
    EXPECT_EQ(codec.gib_klasse(), CKlasse::finde("CQKrypt"));
    EXPECT_TRUE(codec.ist_abgeleitet_von(CKlasse::finde("CQKrypt")));
}
