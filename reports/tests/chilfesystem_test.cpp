// The help system against a stand-in assistant that records its arguments and input, and once against the real one.
#include "anwendung.h"
#include "chilfesystem.h"
#include "cloginterface.h"
#include "verzeichnisse.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <gtest/gtest.h>
#include <log4cpp/Category.hh>

#include <csignal>
#include <functional>

namespace {

class Sammler : public log4cpp::CLogInterface
{
public:
    void write(const log4cpp::LoggingEvent&, const std::string& text) override
    {
        texte += QString::fromStdString(text);
    }
    QString texte;
};

// Records its arguments, its process id per start and everything it reads; ends with its input.
const char* const stub = "#!/bin/sh\n"
                         "ordner=$(dirname \"$0\")\n"
                         "printf '%s\\n' \"$@\" > \"$ordner/argumente.txt\"\n"
                         "printf '%s\\n' \"$LC_ALL\" \"$LANGUAGE\" > \"$ordner/sprache.txt\"\n"
                         "echo $$ >> \"$ordner/starts.txt\"\n"
                         "exec cat >> \"$ordner/eingabe.txt\"\n";

// Later lines replace earlier ones; a line without ";" names itself.
const char* const index_text = "# Hilfe-Index\ndefault;start.html\nupdater;updater.html\nc;alt.html\nc;c.html\n"
                               "b/c;bc.html\nx;x.html\nx/y;xy.html\ntabelle;tabelle.html\n"
                               "fenster/tabelle;fenster_tabelle.html\n"
                               "solo.html\n\n";

QByteArray befehl(const QByteArray& seite, bool standard = false)
{
    return "SetSource qthelp://quorbel.updater/updater/" + seite
           + (standard ? ";show bookmarks;show index;show contents" : ";hide contents;hide index;hide bookmarks")
           + ";expandToc 1;syncContents" + QByteArray(1, '\0') + "\n";
}

bool warte_auf(const std::function<bool()>& bedingung)
{
    QElapsedTimer uhr;
    uhr.start();
    // Far beyond what the stand-in needs: a loaded machine starts a program slowly.
    while (!bedingung() && uhr.elapsed() < 30000) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return bedingung();
}

class Hilfe : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        for (const char* datei : {"support/hilfe_index.txt", "support/en/hilfe_index.txt"})
            schreibe(datei, index_text);
        for (const char* datei : {"hilfe/updater.qch", "hilfe/updater.qhc", "hilfe_en/updater.qch"})
            schreibe(datei, "x");
        schreibe("assistant", stub);
        QFile::setPermissions(pfad("assistant"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        gib_anwendungsverzeichnis(true, CQString(pfad("aktualisierer")), true);
        log4cpp::Category::getRoot().addAppender(appender);
    }
    void TearDown() override
    {
        beende_assistent();
        log4cpp::Category::getRoot().removeAppender(appender);
        setze_sprachcode(QStringLiteral("de"));
    }

    QString pfad(const QString& name) const { return tmp.filePath(name); }
    void schreibe(const QString& name, const QByteArray& inhalt)
    {
        QDir().mkpath(QFileInfo(pfad(name)).absolutePath());
        QFile f(pfad(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }
    QByteArray lies(const QString& name) const
    {
        QFile f(pfad(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Waits until the stand-in has read exactly `erwartet`.
    void erwarte_eingabe(const QByteArray& erwartet)
    {
        warte_auf([&] { return lies("eingabe.txt").size() >= erwartet.size(); });
        QThread::msleep(50);
        QCoreApplication::processEvents();
        EXPECT_EQ(lies("eingabe.txt").toStdString(), erwartet.toStdString());
    }
    void beende_assistent()
    {
        if (!hilfe->laeuft())
            return;
        ::kill(static_cast<pid_t>(hilfe->gib_prozess()->processId()), SIGTERM);
        EXPECT_TRUE(warte_auf([this] { return !hilfe->laeuft(); }));
    }

    QTemporaryDir tmp;
    CHilfeSystem* hilfe = CHilfeSystem::instanz();
    Sammler sammler;
    log4cpp::Appender* appender = new log4cpp::CLogInterfaceAppender("Hilfe", &sammler);
};

} // namespace

TEST_F(Hilfe, EinStartJeLaufendemAssistentenUndSeitenbefehlNachSchluessel)
{
    ASSERT_TRUE(init_hilfsystem(CQString("updater")));
    EXPECT_EQ(hilfe->gib_programm(), pfad("assistant"));

    hilfe->zeige_hilfe(CQString("updater"));
    ASSERT_TRUE(hilfe->laeuft());
    QByteArray erwartet = befehl("updater.html");
    erwarte_eingabe(erwartet);
    EXPECT_EQ(lies("argumente.txt"),
              "-collectionFile\n" + pfad("hilfe/updater.qhc").toUtf8() + "\n-enableRemoteControl\n");

    // Inner parts of the key first, then the outer ones; the default page opens the panes.
    const std::pair<const char*, QByteArray> faelle[] = {
        {"a/b/c", befehl("bc.html")}, {"z/c", befehl("c.html")},       {"x/y/z", befehl("xy.html")},
        {"x/q/r", befehl("x.html")},  {"solo.html", befehl("solo.html")}, {"nichts/da", befehl("start.html", true)},
        {"default", befehl("start.html", true)}};
    for (const auto& [schluessel, zeile] : faelle) {
        hilfe->zeige_hilfe(CQString(schluessel));
        erwartet += zeile;
    }
    erwarte_eingabe(erwartet);
    EXPECT_EQ(lies("starts.txt").count('\n'), 1);

    // The assistant's window follows the program's language through its locale.
    EXPECT_EQ(lies("sprache.txt"), "de_DE.UTF-8\nde\n");

    // Once it has ended, the next request starts a new one.
    beende_assistent();
    hilfe->zeige_hilfe(CQString("updater"));
    erwarte_eingabe(erwartet + befehl("updater.html"));
    EXPECT_EQ(lies("starts.txt").count('\n'), 2);
}

// A page holding ";" would add commands of its own to the assistant's line: such entries are
// dropped with a log line, and their keys reach the default page. (A line break cannot reach a
// page: the index is read line by line, and a lone CR goes in the text stream.)
TEST_F(Hilfe, SeiteMitSemikolonOderZeilenumbruchWirdVerworfen)
{
    schreibe("support/hilfe_index.txt", "default;start.html\nquit;a.html;quit\ncr;b.html\rhide index\ngut;gut.html\n");
    ASSERT_TRUE(init_hilfsystem(CQString("updater")));
    for (const char* schluessel : {"quit", "cr", "gut"})
        hilfe->zeige_hilfe(CQString(schluessel));
    erwarte_eingabe(befehl("start.html", true) + befehl("b.htmlhide index") + befehl("gut.html"));
    EXPECT_TRUE(sammler.texte.contains("Seite zum Schluessel 'quit' enthaelt ';' oder einen Zeilenumbruch, "
                                       "verworfen: 'a.html;quit'"))
        << sammler.texte.toStdString();
}

TEST_F(Hilfe, HilfeverzeichnisNachSpracheFehlendesWirdProtokolliert)
{
    EXPECT_FALSE(init_hilfsystem(CQString()));
    EXPECT_TRUE(sammler.texte.contains("'" + pfad("hilfe/Kelmor.qch") + "' nicht gefunden (line:496)"));

    setze_sprachcode(QStringLiteral("fr"));
    EXPECT_FALSE(init_hilfsystem(CQString("updater")));
    EXPECT_TRUE(sammler.texte.contains(
        QStringLiteral("Verzeichnis mit %1 Dokumentation nicht gefunden.").arg(gib_meldungstitel())));

    setze_sprachcode(QStringLiteral("en"));
    ASSERT_TRUE(init_hilfsystem(CQString("updater")));
    hilfe->zeige_hilfe(CQString("updater"));
    erwarte_eingabe(befehl("updater.html"));
    EXPECT_TRUE(lies("argumente.txt").contains("\n" + pfad("hilfe_en/updater.qhc").toUtf8() + "\n"));

    // The assistant vanished after the set-up: the request only logs.
    beende_assistent();
    QFile::remove(pfad("assistant"));
    hilfe->zeige_hilfe(CQString("updater"));
    EXPECT_FALSE(hilfe->laeuft());
    EXPECT_TRUE(
        sammler.texte.contains("Qt Assistant '" + pfad("assistant") + "' konnte nicht gestartet werden (line:128)"));
}

TEST_F(Hilfe, F1OhneShiftFragtEinmalNachDemFokusWidget)
{
    ASSERT_TRUE(init_hilfsystem(CQString("updater")));
    qApp->installEventFilter(hilfe);
    hilfe->gib_ignorierliste() = QStringList{QStringLiteral("ignoriert")};
    auto f1 = [](QWidget* ziel, Qt::KeyboardModifiers tasten) {
        QApplication::setActiveWindow(ziel->window());
        ziel->setFocus();
        QKeyEvent taste(QEvent::ShortcutOverride, Qt::Key_F1, tasten);
        QApplication::sendEvent(ziel, &taste);
    };

    // Without object names the assistant starts and is told nothing.
    QWidget namenlos;
    auto* feld = new QWidget(new QWidget(&namenlos));
    namenlos.show();
    f1(feld, Qt::ShiftModifier);
    EXPECT_FALSE(hilfe->laeuft());
    f1(feld, Qt::NoModifier);
    EXPECT_TRUE(hilfe->laeuft());

    // Each name up the chain, but Qt's own, docks and ignored ones, in front of the key.
    QWidget fenster;
    fenster.setObjectName(QStringLiteral("fenster"));
    QWidget* eltern = &fenster;
    for (const char* name : {"protokolldock", "ignoriert", "qt_scrollarea_viewport", "", "tabelle"}) {
        eltern = new QWidget(eltern);
        eltern->setObjectName(QString::fromLatin1(name));
    }
    fenster.show();
    f1(eltern, Qt::NoModifier);
    erwarte_eingabe(befehl("fenster_tabelle.html"));
    qApp->removeEventFilter(hilfe);
    hilfe->gib_ignorierliste().clear();
}

TEST(EchterAssistent, StartetUndLiestDenBefehl)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the real assistant is driven in the plain build only";
#endif
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfb.isEmpty())
        GTEST_SKIP() << "xvfb-run missing";
    if (!QFileInfo(QLibraryInfo::location(QLibraryInfo::BinariesPath) + "/assistant").isExecutable())
        GTEST_SKIP() << "Qt Assistant missing";
    ASSERT_TRUE(QFileInfo::exists(ANWENDUNGSWURZEL "/hilfe/updater.qhc")) << "help collection not built";

    // The assistant keeps its cache below the home folder.
    QTemporaryDir heim;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        umgebung.remove(QString::fromLatin1(v));
    umgebung.insert("HOME", heim.path());
    QProcess treiber;
    treiber.setProcessEnvironment(umgebung);
    treiber.setProcessChannelMode(QProcess::MergedChannels);
    treiber.start(xvfb, {"-a", HILFETREIBER, ANWENDUNGSWURZEL});
    ASSERT_TRUE(treiber.waitForFinished(40000)) << treiber.readAll().toStdString();
    const QString ausgabe = QString::fromLocal8Bit(treiber.readAll());
    EXPECT_EQ(treiber.exitCode(), 0) << ausgabe.toStdString();
    EXPECT_TRUE(ausgabe.contains("-collectionFile " ANWENDUNGSWURZEL "/hilfe/updater.qhc -enableRemoteControl"))
        << ausgabe.toStdString();
}
