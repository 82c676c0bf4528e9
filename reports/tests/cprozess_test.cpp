// The external program runner on real shell programs: the end of a run, its failures, the time limit, and long or flooding output.
#include "cprozess.h"
#include "cprozessthread.h"
#include "logmitschnitt.h"
#include "warten.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

class FremdesFenster : public CCDiagLog
{
public:
    FremdesFenster() : CCDiagLog(nullptr, CQString("fremd")) {}
    ~FremdesFenster() override { beende_worker(); }
    void thread_beendet() override {}
};

QTextEdit* textbereich(QWidget* dialog)
{
    return dialog->findChild<QTextEdit*>(QStringLiteral("ftextbroser"));
}

struct Lauf
{
    bool ergebnis = false;
    int signale = 0;
    bool offen = false;
    QString text;
    QString html;
};

CProzess& sh(CProzess& prozess, const QString& skript)
{
    prozess.setze_programm(QStringLiteral("/bin/sh"));
    prozess.setze_argumente({QStringLiteral("-c"), skript});
    return prozess;
}

// While `starte` waits, the dialog is looked at every 20 ms: once its text satisfies `bis` (or
// after 15 s), text and visibility are kept and it is closed.
Lauf laufe(CProzess& prozess, const std::function<bool(const QString&)>& bis = {})
{
    Lauf lauf;
    QTimer wache;
    QElapsedTimer uhr;
    uhr.start();
    QObject::connect(&prozess, &CProzess::prozessfertig_signal, &wache, [&] { ++lauf.signale; });
    QObject::connect(&wache, &QTimer::timeout, [&] {
        CProzessThread* dialog = prozess.gib_dialog();
        if (!dialog || !(uhr.elapsed() > 15000 || (bis && bis(textbereich(dialog)->toPlainText()))))
            return;
        lauf.offen = dialog->isVisible();
        lauf.text = textbereich(dialog)->toPlainText();
        lauf.html = textbereich(dialog)->toHtml();
        dialog->close();
    });
    wache.start(20);
    lauf.ergebnis = prozess.starte();
    return lauf;
}

std::function<bool(const QString&)> enthaelt(const QString& teil)
{
    return [teil](const QString& text) { return text.contains(teil); };
}

// The captured log line that ends with the message; empty when there is none.
QString logzeile(const LogMitschnitt& log, const QString& meldung)
{
    for (const QString& zeile : QString::fromStdString(log.text()).split(QLatin1Char('\n')))
        if (zeile.endsWith(QLatin1String(": ") + meldung))
            return zeile;
    return QString();
}

const QString achtung = QStringLiteral("ACHTUNG - Es sind Fehler aufgetreten !");

} // namespace

TEST(CProzess, ErfolgSchliesstDenDialogModusEinsLaesstIhnOffen)
{
    LogMitschnitt log;
    CProzess schliessend(nullptr, QStringLiteral("T"), QStringLiteral("Lauf"));
    const Lauf zu = laufe(sh(schliessend, QStringLiteral("echo hallo; exit 0")));
    EXPECT_TRUE(zu.ergebnis);
    EXPECT_EQ(zu.signale, 1);
    EXPECT_EQ(schliessend.gib_dialog(), nullptr);
    EXPECT_FALSE(schliessend.gib_fehler());
    EXPECT_TRUE(logzeile(log, QStringLiteral("Starte: '/bin/sh' '-c' 'echo hallo; exit 0'")).contains(QLatin1String("INFO")));

    CProzess offen(nullptr, QStringLiteral("T"), QStringLiteral("Lauf"));
    offen.setze_schliessmodus(1);
    const Lauf auf = laufe(sh(offen, QStringLiteral("echo hallo; exit 0")), enthaelt(QStringLiteral("- Prozess beendet -")));
    EXPECT_TRUE(auf.ergebnis);
    EXPECT_TRUE(auf.offen);
    EXPECT_TRUE(auf.text.contains(QStringLiteral("\nhallo\n"))) << auf.text.toStdString();
    EXPECT_EQ(auf.signale, 1);
}

TEST(CProzess, ExitcodeAbsturzFehlerkanalUndFehlstartSindFehlerEinZeichenNicht)
{
    FremdesFenster fremd;
    fremd.setAttribute(Qt::WA_DeleteOnClose, false);
    fremd.show();
    LogMitschnitt log;
    for (const char* skript : {"exit 3", "kill -SEGV $$", "echo fehler >&2"}) {
        CProzess prozess(nullptr, QStringLiteral("T"), QStringLiteral("Lauf"));
        const Lauf lauf = laufe(sh(prozess, QString::fromLatin1(skript)), enthaelt(achtung));
        EXPECT_FALSE(lauf.ergebnis) << skript;
        EXPECT_TRUE(prozess.gib_fehler()) << skript;
        EXPECT_TRUE(lauf.offen) << skript;
        EXPECT_TRUE(lauf.text.contains(achtung)) << skript;
        EXPECT_EQ(lauf.signale, 1) << skript;
        if (QString::fromLatin1(skript).contains(QLatin1String("fehler"))) {
            EXPECT_TRUE(lauf.html.contains(QRegularExpression(QStringLiteral("#b20000;\">fehler</span>"))))
                << lauf.html.toStdString();
            EXPECT_TRUE(logzeile(log, QStringLiteral("fehler")).contains(QLatin1String("ERROR")));
        }
    }
    // The error line and the warning stay in the runner's dialog.
    EXPECT_EQ(textbereich(&fremd)->toPlainText(), QString());
    EXPECT_TRUE(fremd.ist_ok());

    CProzess einzeichen(nullptr, QStringLiteral("T"), QStringLiteral("Lauf"));
    EXPECT_TRUE(laufe(sh(einzeichen, QStringLiteral("printf x >&2"))).ergebnis);

    CProzess fehlt(nullptr, QStringLiteral("T"), QStringLiteral("Lauf"));
    fehlt.setze_programm(QStringLiteral("/gibt/es/nicht"));
    const Lauf fehlstart = laufe(fehlt, enthaelt(achtung));
    EXPECT_FALSE(fehlstart.ergebnis);
    EXPECT_TRUE(fehlstart.offen);
}

TEST(CProzess, ZeitablaufToetetDasProgrammSamtKindern)
{
    CProzess prozess(nullptr, QStringLiteral("T"), QStringLiteral("Lauf"));
    prozess.setze_timeout(1);
    // The shell's child holds the pid it prints: killing only the shell would leave it running.
    // It would sleep far longer than the run may take: the message can only come from the limit.
    const QString zeitablauf = QStringLiteral("Zeitablauf -- der Prozess wurde noch nicht beendet");
    const Lauf lauf = laufe(sh(prozess, QStringLiteral("sleep 300 & echo $!; wait")), enthaelt(zeitablauf));
    EXPECT_TRUE(lauf.text.contains(zeitablauf)) << lauf.text.toStdString();
    EXPECT_FALSE(lauf.ergebnis);
    EXPECT_TRUE(lauf.offen);
    const QString pid = lauf.text.section(QLatin1Char('\n'), 1, 1);
    ASSERT_GT(pid.toInt(), 0) << lauf.text.toStdString();
    EXPECT_TRUE(prozess_ist_weg(pid.toLongLong()));
}

TEST(CProzess, OhneWartenKommtDasEndeAlsSignalEinZerstoerterDialogToetetDasProgramm)
{
    // The program runs until the test lets it end: `starte` returns while it runs, and the end
    // comes as a signal once it has ended, not before.
    QTemporaryDir ordner;
    const QString frei = ordner.filePath(QStringLiteral("frei"));
    CProzess prozess(nullptr, QStringLiteral("T"), QStringLiteral("Lauf"));
    prozess.setze_warten(false);
    prozess.setze_timeout(-1);
    sh(prozess, QStringLiteral("while [ ! -e '%1' ]; do sleep 0.02; done").arg(frei));
    int enden = 0;
    QObject::connect(&prozess, &CProzess::prozessfertig_signal, [&] { ++enden; });
    EXPECT_TRUE(prozess.starte());
    ASSERT_NE(prozess.gib_dialog(), nullptr);
    EXPECT_FALSE(prozess.gib_dialog()->isVisible());
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(enden, 0);
    QFile(frei).open(QIODevice::WriteOnly);
    EXPECT_TRUE(warte([&] { return enden > 0; }));
    EXPECT_EQ(enden, 1);
    EXPECT_FALSE(prozess.gib_fehler());

    // A dialog destroyed mid-run (the program closes under it) kills the program instead of
    // waiting for it: the run is a failure, where a program that ended by itself would not be.
    CProzess haengend(nullptr, QStringLiteral("T"), QStringLiteral("Lauf"));
    haengend.setze_warten(false);
    haengend.setze_timeout(-1);
    ASSERT_TRUE(sh(haengend, QStringLiteral("sleep 300")).starte());
    delete haengend.gib_dialog();
    EXPECT_TRUE(haengend.gib_fehler());
}

TEST(CProzess, LangeZeilenKommenInStueckenEineFlutWirdBegrenzt)
{
    CProzess prozess(nullptr, QStringLiteral("T"), QStringLiteral("Lauf"));
    sh(prozess, QStringLiteral("head -c 3000 /dev/zero | tr '\\0' a; echo; "
                               "i=0; while [ $i -lt 20000 ]; do echo z; i=$((i+1)); done; exit 3"));
    const Lauf lauf = laufe(prozess, enthaelt(achtung));
    EXPECT_FALSE(lauf.ergebnis);
    const QStringList zeilen = lauf.text.split(QLatin1Char('\n'));
    ASSERT_GT(zeilen.size(), 4);
    EXPECT_EQ(zeilen[1], QString(1023, QLatin1Char('a')));
    EXPECT_EQ(zeilen[2], QString(1023, QLatin1Char('a')));
    EXPECT_EQ(zeilen[3], QString(954, QLatin1Char('a')));
    EXPECT_LT(zeilen.count(QStringLiteral("z")), 20000);
    EXPECT_EQ(zeilen.count(QStringLiteral("Weitere Ausgaben des Programms werden nicht angezeigt.")), 1);
}
