// The worker thread of the external program runner: runs the program, waits for its end and writes its output into the runner's log dialog.
#pragma once

#include "ccthread.h"

#include <QByteArray>
#include <QIODevice>
#include <QProcess>
#include <QStringList>
#include <atomic>
#include <memory>

class CCBaseLog;
class CPPRInterface;
class QTextDecoder;

// What a run starts and how long it waits.
struct CProzessAufruf
{
    QString programm;
    QStringList argumente;
    QIODevice::OpenMode modus = QIODevice::ReadOnly;
    // Milliseconds to wait for the end; -1 waits without limit.
    int zeitlimit_ms = 30000;
    // The start line goes into the dialog too, not only into the log.
    bool ausgabe_zeigen = true;
    // A descriptor the program inherits under its number (the lock of the folder it works on);
    // the run lets it go once the program has started.
    std::shared_ptr<const int> erbe;
};

// The process is made, watched and deleted in `run`, so it belongs to this thread: its signals are
// connected directly and fire inside the waits of `run`, and everything the program says reaches
// the dialog only through the log window's posting operations. The dialog waits for this thread
// before it goes, so the log stays valid for the whole run; the outcome goes into the runner's
// shared companion object, which stays valid even when the runner itself is gone.
class CPBThread : public CCThread
{
    Q_OBJECT
public:
    CPBThread(CCBaseLog* log, std::shared_ptr<CPPRInterface> schnittstelle, const CProzessAufruf& aufruf);
    ~CPBThread() override;

signals:
    // Asks the dialog to show itself; emitted when the program writes and at its end.
    void fensterzeigen_signal();

public slots:
    // These run in this thread only, called by the process during the waits of `run`.
    // The end handling: runs once, whoever comes first (the process's end or the wait's end).
    void slot_process_fertig(int code);
    void slot_process_error(QProcess::ProcessError fehler);
    void slot_process_errorready();
    void slot_process_stdready();

protected:
    void run() override;

private:
    // One output channel: bytes not yet shown and its decoder.
    struct Kanal
    {
        QByteArray rest;
        std::unique_ptr<QTextDecoder> dekoder;
    };

    void arbeite();
    bool starte_programm();
    void warte_auf_ende();
    // Kills the program and every process it started (they share its process group).
    void beende_prozess();
    // Takes what the process holds for the channel and shows the complete lines, in pieces of
    // at most 1023 bytes; with `alles` also the unfinished rest.
    void lies(QProcess::ProcessChannel kanal, bool alles);
    void zeige_stueck(QProcess::ProcessChannel kanal, const QByteArray& stueck);

    CCBaseLog* log;
    std::shared_ptr<CPPRInterface> schnittstelle;
    CProzessAufruf aufruf;
    std::unique_ptr<QProcess> prozess;
    Kanal ausgabe;
    Kanal fehlerkanal;
    // Characters the error channel brought in all, decoded on their own as they come.
    std::unique_ptr<QTextDecoder> zaehler;
    qint64 fehlerzeichen = 0;
    int gezeigte_stuecke = 0;
    std::atomic<bool> fertig{false};
    std::atomic<bool> fehler{false};
};
