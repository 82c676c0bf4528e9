// The English translation as built into the build tree's application root: the program's start language and the switch to "en".
#include "ci18n.h"
#include "csprache.h"
#include "verzeichnisse.h"
#include "zip_hilfe.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
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
