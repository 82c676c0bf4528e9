// The English translation as built into the build tree's application root: the program's start language and the switch to "en".
#include "anwendung.h"
#include "ci18n.h"
#include "cqmenu.h"
#include "cspeichernbutton.h"
#include "cworkthread.h"
#include "csprache.h"
#include "fensterlauf.h"
#include "updatermainwindow.h"
#include "verzeichnisse.h"
#include "zip_hilfe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>
#include <log4cpp/Category.hh>
#include <log4cpp/StringQueueAppender.hh>

using namespace testzip;

namespace {

struct Lauf
{
    QString aus;
    QString fehler;
    QByteArray log;
};

// Runs the built program (or `programm`) without a display under the locale, in a home and work
// folder of its own; it should end with `code`.
Lauf starte(const QString& locale, const QStringList& argumente, const QString& programm = AKTUALISIERER, int code = 0)
{
    QTemporaryDir dir;
    for (const char* ordner : {"/arbeit", "/ziel"})
        QDir().mkpath(dir.path() + ordner);
    schreibe(dir.path() + "/arbeit/a.zip", baue({datei("x.txt", "x")}));
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DOCUMENTS_DIR", "LANGUAGE"})
        umgebung.remove(QString::fromLatin1(v));
    umgebung.insert("HOME", dir.path());
    umgebung.insert("XDG_CONFIG_HOME", dir.path() + "/.config");
    umgebung.insert("LC_ALL", locale);
    umgebung.insert("LANG", locale);
    QProcess p;
    p.setProcessEnvironment(umgebung);
    p.setWorkingDirectory(dir.path() + "/arbeit");
    p.start(programm, QStringList(argumente) << "-dst" << dir.path() + "/ziel");
    p.closeWriteChannel();
    Lauf lauf;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != code)
        ADD_FAILURE() << locale.toStdString() << " " << argumente.join(' ').toStdString() << " failed";
    lauf.aus = QString::fromUtf8(p.readAllStandardOutput());
    lauf.fehler = QString::fromUtf8(p.readAllStandardError());
    lauf.log = lies(dir.path() + "/AKTUALISIERER.log");
    return lauf;
}

} // namespace

TEST(Sprache, EnglischesSystemStartetEnglischDeutschesDeutsch)
{
    for (const char* locale : {"en_US.UTF-8", "de_DE.UTF-8"}) {
        const bool englisch = QByteArray(locale).startsWith("en");
        SCOPED_TRACE(locale);
        for (const QStringList& argumente : {QStringList{"-version"}, QStringList{"-silent", "-install", "a.zip"}}) {
            const Lauf lauf = starte(QString::fromLatin1(locale), argumente);
            const QString alles = lauf.aus + lauf.fehler + QString::fromUtf8(lauf.log);
            EXPECT_FALSE(alles.contains("is not supported")) << alles.toStdString();
            EXPECT_FALSE(alles.contains("Qt-Sprachdatei '") || alles.contains("Qt language file '"))
                << alles.toStdString();
            if (argumente.first() == "-version") {
                EXPECT_TRUE(lauf.aus.startsWith(englisch ? "UPDATER Version 5.9.3.7 of 09.02.18"
                                                         : "UPDATER Version 5.9.3.7 vom 09.02.18"))
                    << lauf.aus.toStdString();
            } else {
                EXPECT_EQ(lauf.log.contains("- silent mode -"), englisch) << lauf.log.toStdString();
                EXPECT_EQ(lauf.log.contains("installing x.txt"), englisch);
                EXPECT_EQ(lauf.log.contains("Installation finished."), englisch);
                EXPECT_EQ(lauf.log.contains("Installation beendet."), !englisch);
            }
        }
    }
}

// What the window road does for "-en": the window's, the jobs' and the framework's texts turn
// English, and back to German.
TEST(Sprache, UmschaltenAufEnglischUndZurueck)
{
    static CSprache* const sprache = new CSprache(CQString("Aktualisierer"));
    ASSERT_TRUE(gib_sprachen().count(CQString("en")));
    ASSERT_TRUE(sprache->setze_sprache(CQString("en")));

    const auto tr = [](const char* kontext, const char* text) {
        return QCoreApplication::translate(kontext, text);
    };
    EXPECT_EQ(tr("UpdaterMainWindow", "&Datei"), "&File");
    EXPECT_EQ(tr("UpdaterMainWindow", "Keine Uninstall Information für %1 gefunden !"),
              "No uninstall information found for %1!");
    EXPECT_EQ(tr("CWorkThread", "Bei der Installation von %1 sind Fehler aufgetreten !"),
              "Errors occurred while installing %1!");
    EXPECT_EQ(tr("QObject", "Programmende mit Fehlern"), "Program ended with errors");
    EXPECT_EQ(uebersetze_(CString("vom"), CString()).gib_string(), "of");

    // The table read while switching: entries without contexts, and no header for the empty text.
    CI18n tabelle;
    ASSERT_TRUE(tabelle.importiere_uebersetzungen(
        (gib_sprachverzeichnis(CQString("en")).absolutePath() + "/aktualisierer.itr").toStdString()));
    EXPECT_EQ(tabelle.uebersetze("Fehlende Qt-Sprachdatei '%1'"), "Missing Qt language file '%1'");
    EXPECT_EQ(tabelle.gib_tabelle().count(""), 0u);

    ASSERT_TRUE(sprache->setze_sprache(CQString("de")));
    EXPECT_EQ(tr("UpdaterMainWindow", "&Datei"), "&Datei");
    EXPECT_EQ(uebersetze_(CString("vom"), CString()).gib_string(), "vom");
}

// Each language's help page names the menus and their entries character for character as the
// window of that language shows them.
TEST(Sprache, HilfeseiteNenntDieMenuesDesFenstersInIhrerSprache)
{
    static CSprache* const sprache = new CSprache(CQString("Aktualisierer"));
    for (const char* code : {"de", "en"}) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(sprache->setze_sprache(CQString(code)));
        UpdaterMainWindow* fenster = UpdaterMainWindow::instanz();
        fenster->richte_fenster_ein();
        emit fenster->gib_fenstermenue()->aboutToShow();
        QMap<QString, QStringList> menues;
        for (const QAction* menue : fenster->menuBar()->actions()) {
            if (!menue->menu())
                continue;
            QStringList& eintraege = menues[menue->text().remove('&')];
            for (const QAction* a : menue->menu()->actions())
                eintraege << a->text().remove('&');
        }
        QFile seite(QStringLiteral(HILFE) + (QByteArray(code) == "en" ? "/en" : "") + "/aktualisierer.html");
        ASSERT_TRUE(seite.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(seite.readAll());
        static const QRegularExpression abschnitt(
            QStringLiteral("<h2>Men(?:u|ü) [\"„]([^\"“]+)[\"“]</h2>((?:(?!<h2>).)*)"),
            QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression fett(QStringLiteral("<b>([^<]+)</b>"));
        int genannt = 0;
        for (auto m = abschnitt.globalMatch(html); m.hasNext();) {
            const auto treffer = m.next();
            const QString menue = treffer.captured(1);
            EXPECT_TRUE(menues.contains(menue)) << menue.toStdString();
            for (auto b = fett.globalMatch(treffer.captured(2)); b.hasNext(); ++genannt) {
                const QString eintrag = b.next().captured(1);
                EXPECT_TRUE(menues.value(menue).contains(eintrag))
                    << menue.toStdString() << " / " << eintrag.toStdString();
            }
        }
        EXPECT_EQ(menues.size(), 3);
        EXPECT_EQ(genannt, 9);
        UpdaterMainWindow::zerstoere_instanz();
    }
    ASSERT_TRUE(sprache->setze_sprache(CQString("de")));
}

// Each language's help page names the kinds in which a job window saves its lines exactly as the
// window's save button offers them.
TEST(Sprache, HilfeseiteNenntDieSpeicherartenDesJobfensters)
{
    static CSprache* const sprache = new CSprache(CQString("Aktualisierer"));
    for (const auto& [code, speichern, oder] : {std::make_tuple("de", "speichern sie als ", " oder "),
                                                 std::make_tuple("en", "save them as ", " or ")}) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(sprache->setze_sprache(CQString(code)));
        CWorkThread job(nullptr, CQString("job"));
        job.zeigeImArbeitsbereich(false, QSize());
        const CSpeichernButton* knopf = job.findChild<CSpeichernButton*>();
        ASSERT_TRUE(knopf && knopf->menu());
        QStringList angeboten;
        for (const QAction* a : knopf->menu()->actions())
            angeboten << a->text().section(' ', -1).toLower();

        QFile seite(QStringLiteral(HILFE) + (QByteArray(code) == "en" ? "/en" : "") + "/aktualisierer.html");
        ASSERT_TRUE(seite.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(seite.readAll()).simplified();
        const int anfang = html.indexOf(QLatin1String(speichern));
        ASSERT_GE(anfang, 0);
        const int ende = html.indexOf(QLatin1Char(';'), anfang);
        QStringList genannt = html.mid(anfang + int(strlen(speichern)), ende - anfang - int(strlen(speichern)))
                                  .replace(QLatin1String(oder), QStringLiteral(", "))
                                  .toLower()
                                  .split(QStringLiteral(", "));
        EXPECT_EQ(genannt.join(' ').toStdString(), angeboten.join(' ').toStdString());
    }
    ASSERT_TRUE(sprache->setze_sprache(CQString("de")));
}

// Qt's own dialogs follow the language: the file dialog's buttons are German in German, English
// under "en".
TEST(Sprache, DateidialogSprichtDieGewaehlteSprache)
{
    static CSprache* const sprache = new CSprache(CQString("Aktualisierer"));
    for (const auto& [code, abbrechen] :
         {std::pair<const char*, const char*>{"de", "Abbrechen"}, {"en", "Cancel"}, {"de", "Abbrechen"}}) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(sprache->setze_sprache(CQString(code)));
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QStringList knoepfe;
        for (const QPushButton* knopf : dialog.findChildren<QPushButton*>())
            knoepfe << knopf->text().remove('&');
        EXPECT_TRUE(knoepfe.contains(QString::fromLatin1(abbrechen))) << knoepfe.join('|').toStdString();
    }
}

// Without a display the window road ends with one line in the chosen language, also when "-en"
// finds no English files: then it says so and stays German.
TEST(Sprache, OhneAnzeigeEineZeileInDerGewaehltenSprache)
{
    const QString deutsch =
        "Aktualisierer: Keine Anzeige gefunden (DISPLAY, WAYLAND_DISPLAY und QT_QPA_PLATFORM "
        "sind leer); ohne Fenster laufen -silent -install, -version, /REGSERVER und /UNREGSERVER.\n";
    const QString englisch = "Aktualisierer: No display found (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are "
                             "empty); without a window run -silent -install, -version, /REGSERVER and /UNREGSERVER.\n";
    QTemporaryDir wurzel;
    QDir().mkpath(wurzel.path() + "/support");
    const QString ohne_englisch = wurzel.path() + "/aktualisierer";
    ASSERT_TRUE(QFile::copy(AKTUALISIERER, ohne_englisch));
    const struct
    {
        const char* locale;
        QStringList argumente;
        QString programm;
        QString zeile;
    } faelle[] = {{"de_DE.UTF-8", {}, AKTUALISIERER, deutsch},
                  {"de_DE.UTF-8", {"-en"}, AKTUALISIERER, englisch},
                  {"en_US.UTF-8", {}, AKTUALISIERER, englisch},
                  {"de_DE.UTF-8", {"-en"}, ohne_englisch, deutsch}};
    for (const auto& fall : faelle) {
        const Lauf lauf = starte(fall.locale, fall.argumente, fall.programm, 1);
        SCOPED_TRACE(lauf.fehler.toStdString());
        EXPECT_TRUE(lauf.fehler.endsWith(fall.zeile));
        EXPECT_EQ(lauf.fehler.count("Aktualisierer: "), 1);
    }
    EXPECT_EQ(starte("de_DE.UTF-8", {"-en"}, ohne_englisch, 1).aus,
              "Language 'en' is not supported (no support files)!\n");
}

// "-en" without English files: a log line says so, and the texts stay German.
TEST(Sprache, EnglischOhneDateienMeldetSichImLogUndBleibtDeutsch)
{
    static CSprache* const sprache = new CSprache(CQString("OhneUebersetzung"));
    auto* mitschnitt = new log4cpp::StringQueueAppender("mitschnitt");
    log4cpp::Category::getRoot().addAppender(mitschnitt);
    CKommandozeile kommandozeile;
    kommandozeile.en = true;
    setze_kommandozeilensprache(kommandozeile, *sprache);
    QString log;
    for (auto& zeilen = mitschnitt->getQueue(); !zeilen.empty(); zeilen.pop())
        log += QString::fromStdString(zeilen.front());
    log4cpp::Category::getRoot().removeAppender(mitschnitt);
    EXPECT_TRUE(log.contains("Sprache 'en' nicht verfuegbar - das Programm startet in Deutsch")) << log.toStdString();
    EXPECT_EQ(gib_sprache(), "de");
    EXPECT_EQ(QCoreApplication::translate("UpdaterMainWindow", "&Datei"), "&Datei");
}
