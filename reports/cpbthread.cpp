#include "cpbthread.h"
#include "ccat.h"
#include "ccbaselog.h"
#include "cfehler.h"
#include "cprozess.h"
#include "html.h"
#include "melde.h"

#include <QElapsedTimer>
#include <QTextCodec>
#include <QTextDecoder>
#include <algorithm>
#include <exception>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace {

constexpr int start_wartezeit_ms = 30000;
// How often a wait without limit, or a long one, looks at the dialog's cancel mark.
constexpr int warte_scheibe_ms = 200;
// How long a killed program may take to be gone.
constexpr int nachlauf_ms = 5000;
// A 1024-byte line buffer holds 1023 bytes and the terminating zero.
constexpr int stueck_bytes = 1023;
// A program that floods its channels would bury the dialog and the log: beyond this many pieces
// its output is read and dropped.
constexpr int max_stuecke = 5000;

// Its own process group, so that a time-out also ends what the program started (a shell's child),
// and the descriptor it is to inherit kept open across its start.
class CGruppenprozess : public QProcess
{
public:
    explicit CGruppenprozess(int erbe) : erbe(erbe) {}

protected:
    void setupChildProcess() override
    {
        ::setpgid(0, 0);
        if (erbe >= 0)
            ::fcntl(erbe, F_SETFD, ::fcntl(erbe, F_GETFD) & ~FD_CLOEXEC);
    }

private:
    const int erbe;
};

// A line of the program's call or output, in the colour of its line type (0 normal, 1 warning,
// 2 error): escaped exactly, so that nothing the program prints is taken for mark-up or changed,
// and with its blanks kept. The log window passes a line in such a span on unchanged.
CQString als_zeile(int typ, const QString& text)
{
    QString stil = QStringLiteral("white-space:pre-wrap");
    if (typ == 1)
        stil += QLatin1String(";color:") + QString::fromStdString(gib_farbe_warnung());
    else if (typ == 2)
        stil += QLatin1String(";color:") + QString::fromStdString(gib_farbe_fehler());
    return CQString(QLatin1String("<span style=\"") + stil + QLatin1String("\">") + text.toHtmlEscaped()
                    + QLatin1String("</span>"));
}

} // namespace

CPBThread::CPBThread(CCBaseLog* log, std::shared_ptr<CPPRInterface> schnittstelle, const CProzessAufruf& aufruf)
    : log(log), schnittstelle(std::move(schnittstelle)), aufruf(aufruf)
{
}

CPBThread::~CPBThread() = default;

void CPBThread::run()
{
    // Whatever this thread reports goes to its own dialog and the log, never to other windows.
    const CEigenesMeldeziel eigenes_ziel(log);
    try {
        arbeite();
    } catch (const CFehlerBasis& f) {
        qmelde(2, klasse_funktion, CQString("CPBThread::run"), CQString(tr("Fehler bei Vorgang")));
        f.melde(true);
        fehler = true;
    } catch (const std::exception& f) {
        qmelde(2, klasse_funktion, CQString("CPBThread::run"),
               CQString(tr("Fehler bei Vorgang") + QLatin1String(": ") + QString::fromLocal8Bit(f.what())));
        fehler = true;
    }
    if (prozess && prozess->state() != QProcess::NotRunning)
        beende_prozess();
    // Deleted in the thread it belongs to, after its last signal.
    prozess.reset();
    if (fehler) {
        log->setze_fehler();
        schnittstelle->setze_fehler();
    }
}

void CPBThread::arbeite()
{
    prozess = std::make_unique<CGruppenprozess>(aufruf.erbe ? *aufruf.erbe : -1);
    prozess->setProcessChannelMode(QProcess::SeparateChannels);
    QTextCodec* codec = QTextCodec::codecForLocale();
    ausgabe.dekoder.reset(codec->makeDecoder());
    fehlerkanal.dekoder.reset(codec->makeDecoder());
    zaehler.reset(codec->makeDecoder());
    log->setTotalSteps(999);

    // Direct: the process lives in this thread and signals inside its waits here.
    QProcess* p = prozess.get();
    connect(p, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this, &CPBThread::slot_process_fertig,
            Qt::DirectConnection);
    connect(p, &QProcess::errorOccurred, this, &CPBThread::slot_process_error, Qt::DirectConnection);
    connect(p, &QProcess::readyReadStandardError, this, &CPBThread::slot_process_errorready, Qt::DirectConnection);
    connect(p, &QProcess::readyReadStandardOutput, this, &CPBThread::slot_process_stdready, Qt::DirectConnection);

    if (!starte_programm()) {
        fehler = true;
        return;
    }
    warte_auf_ende();
    // A killed program that did not go in time has sent no end: its end is handled here.
    slot_process_fertig(1);
}

bool CPBThread::starte_programm()
{
    const QString zeile = tr("Starte: '%1'").arg(aufruf.programm);
    if (aufruf.ausgabe_zeigen) {
        QString mit_argumenten = zeile;
        for (const QString& argument : aufruf.argumente)
            mit_argumenten += QStringLiteral(" '%1'").arg(argument);
        CQCat::gib_instanz()->info(CQString(mit_argumenten));
        log->neue_textzeile(als_zeile(1, mit_argumenten), 1);
    } else {
        CQCat::gib_instanz()->info(CQString(zeile));
    }
    // Always with an argument list: the program path is taken as it is, never split at blanks.
    prozess->start(aufruf.programm, aufruf.argumente, aufruf.modus);
    const bool gestartet = prozess->waitForStarted(start_wartezeit_ms);
    aufruf.erbe.reset();
    if (!gestartet) {
        lies(QProcess::StandardError, true);
        const CQString grund(prozess->errorString());
        CQCat::gib_instanz()->error(grund);
        log->neue_textzeile(als_zeile(2, grund), 2);
        return false;
    }
    // Nothing is ever written to the program: one that reads its input sees the end at once.
    prozess->closeWriteChannel();
    return true;
}

void CPBThread::warte_auf_ende()
{
    QElapsedTimer uhr;
    uhr.start();
    while (prozess->state() != QProcess::NotRunning) {
        // The dialog is going (or the user cancelled): it waits for this thread.
        if (log->ist_abgebrochen()) {
            fehler = true;
            beende_prozess();
            return;
        }
        int scheibe = warte_scheibe_ms;
        if (aufruf.zeitlimit_ms >= 0) {
            const qint64 rest = aufruf.zeitlimit_ms - uhr.elapsed();
            if (rest <= 0) {
                const CQString meldung(tr("Zeitablauf -- der Prozess wurde noch nicht beendet"));
                log->neue_textzeile(meldung, 2);
                CQCat::gib_instanz()->error(meldung);
                fehler = true;
                beende_prozess();
                return;
            }
            scheibe = static_cast<int>(std::min<qint64>(scheibe, rest));
        }
        prozess->waitForFinished(scheibe);
    }
}

void CPBThread::beende_prozess()
{
    const qint64 pid = prozess->processId();
    if (pid > 0)
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
    prozess->kill();
    prozess->waitForFinished(nachlauf_ms);
}

void CPBThread::slot_process_fertig(int code)
{
    if (fertig.exchange(true))
        return;
    if (code != 0 || prozess->exitStatus() == QProcess::CrashExit)
        fehler = true;
    emit fensterzeigen_signal();
    log->neue_titelzeile(CQString());
    lies(QProcess::StandardOutput, true);
    lies(QProcess::StandardError, true);
    if (fehler) {
        log->neue_textzeile(CQString("\n"), 0);
        log->setze_fehler();
        schnittstelle->setze_fehler();
    }
}

void CPBThread::slot_process_error(QProcess::ProcessError art)
{
    // A wait that ran out is no failure of the program; the time limit decides.
    if (art != QProcess::Timedout)
        fehler = true;
}

void CPBThread::slot_process_errorready()
{
    lies(QProcess::StandardError, false);
}

void CPBThread::slot_process_stdready()
{
    lies(QProcess::StandardOutput, false);
}

void CPBThread::lies(QProcess::ProcessChannel kanal, bool alles)
{
    Kanal& k = kanal == QProcess::StandardError ? fehlerkanal : ausgabe;
    const QByteArray neu = kanal == QProcess::StandardError ? prozess->readAllStandardError()
                                                            : prozess->readAllStandardOutput();
    if (kanal == QProcess::StandardError)
        fehlerzeichen += zaehler->toUnicode(neu).size();
    if (gezeigte_stuecke > max_stuecke)
        k.rest.clear();
    else
        k.rest += neu;
    // One character on the error channel is no error; held back until a second one comes, and
    // dropped at the end.
    if (kanal == QProcess::StandardError) {
        if (fehlerzeichen <= 1) {
            if (alles)
                k.rest.clear();
            return;
        }
        fehler = true;
    }
    while (!k.rest.isEmpty()) {
        const int umbruch = k.rest.indexOf('\n');
        int laenge = umbruch >= 0 ? umbruch + 1 : k.rest.size();
        if (laenge > stueck_bytes)
            laenge = stueck_bytes;
        else if (umbruch < 0 && !alles)
            break;
        zeige_stueck(kanal, k.rest.left(laenge));
        k.rest.remove(0, laenge);
    }
}

void CPBThread::zeige_stueck(QProcess::ProcessChannel kanal, const QByteArray& stueck)
{
    if (gezeigte_stuecke > max_stuecke)
        return;
    if (++gezeigte_stuecke > max_stuecke) {
        log->neue_textzeile(CQString(tr("Weitere Ausgaben des Programms werden nicht angezeigt.")), 1);
        return;
    }
    QTextDecoder& dekoder = kanal == QProcess::StandardError ? *fehlerkanal.dekoder : *ausgabe.dekoder;
    QString text = dekoder.toUnicode(stueck);
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    emit fensterzeigen_signal();
    if (kanal == QProcess::StandardError) {
        CQCat::gib_instanz()->error(CQString(text));
        log->neue_textzeile(als_zeile(2, text), 2);
    } else {
        log->neue_textzeile(als_zeile(0, text), 0);
    }
}
