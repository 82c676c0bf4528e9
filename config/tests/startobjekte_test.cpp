// What exists before main: class entries in their order, start values of the process-wide texts, the
// catalogue, the logger's priority names; and a program that uses all of it after main ends cleanly.
#include "anwendung.h"
#include "ccat.h"
#include "ci18n.h"
#include "cvariablebeschr.h"
#include "html.h"
#include "klassen.h"
#include "logprioritaet.h"
#include "steuervarliste.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Taken while globals are built, before main.
struct VorMain
{
    QString anwendungsname = gib_anwendungsname();
    QString meldungstitel = gib_meldungstitel();
    QString sprache = gib_sprache();
    QString qt_sprache = gib_qt_sprache();
    CI18n* tabelle = gib_i18n();
    std::size_t variablen = gib_steuervar_liste()->size();
    std::size_t vorlagen = gib_steuervar_vorlagen()->size();
    bool debug_variable = gib_steuervar_liste()->count("/Allgemein/Debug Ausgabe") == 1;
} const vor_main;

} // namespace

TEST(Startobjekte, TexteUndListenVorMain)
{
    EXPECT_EQ(vor_main.anwendungsname, QStringLiteral("Quorbel-Software"));
    EXPECT_EQ(vor_main.meldungstitel, QStringLiteral("???"));
    EXPECT_EQ(vor_main.sprache, QStringLiteral("de"));
    EXPECT_EQ(vor_main.qt_sprache, QStringLiteral("de"));
    ASSERT_NE(vor_main.tabelle, nullptr);
    EXPECT_EQ(vor_main.tabelle->gib_uebersetzer(), nullptr);
    EXPECT_EQ(vor_main.variablen, 85u);
    EXPECT_EQ(vor_main.vorlagen, 6u);
    EXPECT_TRUE(vor_main.debug_variable);
    EXPECT_EQ(gib_farbe_warnung(), "#b36b3f");
    EXPECT_EQ(gib_farbe_fehler(), "#b20000");
    EXPECT_EQ(CQCat::gib_instanz()->gib_name(), QString());
    EXPECT_EQ(gib_standard_beschreiber<EBool>()->gib_beschreibung().gib_string(), "Steuervariable");
}

TEST(Startobjekte, KerneintraegeInIhrerReihenfolge)
{
    const char* const reihenfolge[] = {
        "Funktion oder nicht von CObjekt abgeleitete Klasse", "Dummy: fuer kurze Ausgaben", "CString",
        "CVariableBasis", "CVariableBasisTemplate", "CVariableSteuer", "CBasis", "CKlasse", "CLogBase", "CFehler",
        "CObjekt", "CI18n", "COStream", "CVariableBeschr", "CHtml", "CSteuerPlausi", "CVariableBeschrTemplate",
        "CZeit", "CIOZeile", "CBlatt", "CBaum", "CProfil", "CWerteProfile", "CIOZeileExcel", "CKalender",
        "CIOElement", "CSystemAllg", "CQString", "CQIOZeileExcel", "CQLogBase", "CSystemBasis", "CSprache", "CQCat",
        "CQHtml", "CZeitVDN", "allgemein_qt", "CSteuerDaten"};
    const CKlasse* erster = CKlasse::finde(reihenfolge[0]);
    ASSERT_NE(erster, nullptr);
    EXPECT_EQ(erster, klasse_funktion);
    int nummer = 0;
    for (const char* name : reihenfolge) {
        SCOPED_TRACE(name);
        const CKlasse* k = CKlasse::finde(name);
        ASSERT_NE(k, nullptr);
        // 2 plus the number of entries built before it, whichever entry came first in the program.
        EXPECT_EQ(k->gib_id(), erster->gib_id() + nummer++);
        const std::string n = name;
        if (n == "CLogBase" || n == "CSteuerPlausi" || n == "CQLogBase")
            EXPECT_EQ(k->gib_eltern(), CObjekt::klasse);
        else if (n == "CSprache")
            EXPECT_EQ(k->gib_eltern(), CBasis::klasse);
        else
            EXPECT_EQ(k->gib_eltern(), nullptr);
    }
    EXPECT_GT(CKlasse::finde("CKrypt")->gib_id(), CKlasse::finde("CSteuerDaten")->gib_id());
}

TEST(Startobjekte, PrioritaetsnamenDesLoggers)
{
    const char* const namen[] = {"FATAL", "ALERT", "CRIT", "ERRORPRIO", "WARN", "NOTICE", "INFO", "DEBUGPRIO", "NOTSET"};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(log4cpp::gib_prioritaetsname(i * 100), namen[i]);
        int wert = -1;
        EXPECT_TRUE(log4cpp::gib_prioritaetswert(namen[i], wert));
        EXPECT_EQ(wert, i * 100);
    }
}

TEST(Startobjekte, ProgrammEndetSauberNachBerichtenAusGlobalenDestruktoren)
{
    QTemporaryDir ordner;
    QProcess prozess;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("HOME"), ordner.path());
    umgebung.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    prozess.setProcessEnvironment(umgebung);
    prozess.setWorkingDirectory(ordner.path());
    prozess.start(QStringLiteral(PROGRAMMENDE), QStringList());
    ASSERT_TRUE(prozess.waitForFinished(60000));
    const QString ausgabe = QString::fromUtf8(prozess.readAllStandardOutput());
    const QString fehler = QString::fromUtf8(prozess.readAllStandardError());
    EXPECT_EQ(prozess.exitStatus(), QProcess::NormalExit) << qPrintable(fehler);
    EXPECT_EQ(prozess.exitCode(), 0) << qPrintable(fehler);
    EXPECT_TRUE(ausgabe.endsWith(QStringLiteral("anwender 1 Hallo de 1\nende erreicht\n"))) << qPrintable(ausgabe);
    EXPECT_FALSE(fehler.contains(QStringLiteral("Programmabbruch"))) << qPrintable(fehler);
    // The error objects built after main still left their records.
    QFile datei(ordner.filePath(QStringLiteral("fehler.txt")));
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QByteArray inhalt = datei.readAll();
    EXPECT_TRUE(inhalt.contains("CFehler nach main"));
    EXPECT_TRUE(inhalt.contains("CQFehler nach main"));
}
