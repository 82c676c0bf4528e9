// The English translation as built into the build tree's application root: the program's start language and the switch to "en".
#include "ci18n.h"
#include "cqmenu.h"
#include "csprache.h"
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

using namespace testzip;

namespace {

struct Lauf
{
    QString aus;
    QString fehler;
    QByteArray log;
};

// Runs the built program without a display under the locale, in a home and work folder of its own.
Lauf starte(const QString& locale, const QStringList& argumente)
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
    p.start(QStringLiteral(AKTUALISIERER), QStringList(argumente) << "-dst" << dir.path() + "/ziel");
    p.closeWriteChannel();
    Lauf lauf;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
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
        static const QRegularExpression abschnitt(QStringLiteral("<h2>Men(?:u|ü) [\"„]([^\"“]+)[\"“]</h2>((?:(?!<h2>).)*)"),
                                                   QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression fett(QStringLiteral("<b>([^<]+)</b>"));
        int genannt = 0;
        for (auto m = abschnitt.globalMatch(html); m.hasNext();) {
            const auto treffer = m.next();
            const QString menue = treffer.captured(1);
            EXPECT_TRUE(menues.contains(menue)) << menue.toStdString();
            for (auto b = fett.globalMatch(treffer.captured(2)); b.hasNext(); ++genannt) {
                const QString eintrag = b.next().captured(1);
                EXPECT_TRUE(menues.value(menue).contains(eintrag)) << menue.toStdString() << " / " << eintrag.toStdString();
            }
        }
        EXPECT_EQ(menues.size(), 3);
        EXPECT_EQ(genannt, 9);
        UpdaterMainWindow::zerstoere_instanz();
    }
    ASSERT_TRUE(sprache->setze_sprache(CQString("de")));
}

// Qt's own dialogs follow the language: the file dialog's buttons are German in German, English
// under "en".
TEST(Sprache, DateidialogSprichtDieGewaehlteSprache)
{
    static CSprache* const sprache = new CSprache(CQString("Aktualisierer"));
    for (const auto& [code, abbrechen] : {std::pair<const char*, const char*>{"de", "Abbrechen"}, {"en", "Cancel"},
                                          {"de", "Abbrechen"}}) {
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
