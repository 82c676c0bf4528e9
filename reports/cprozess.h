// The runner of external programs: one program in a worker thread, its output in a log dialog, with a time limit and an end signal.
#pragma once

#include "cbasis.h"
#include "cpbthread.h"

#include <QObject>
#include <QPointer>
#include <atomic>
#include <memory>

class CProzessThread;

// What a runner shares with its worker thread: the outcome of the run. Both hold it, so a worker
// that outlives its runner (a caller that did not wait and let the runner go) still writes into
// live memory; the flag is only ever set, by either thread.
class CPPRInterface : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
public:
    void ausgabe(std::ostream& os) const override;
    void setze_fehler() { fehler = true; }
    bool gib_fehler() const { return fehler; }

private:
    std::atomic<bool> fehler{false};
};

// Set up by the caller, then `starte`. Waiting (the default), `starte` runs the dialog modally
// and returns once it is closed; otherwise it returns at once and the end comes as
// `prozessfertig_signal()`, after which `gib_fehler` holds the outcome.
class CProzess : public QObject, public CObjekt
{
    Q_OBJECT
    FRAMEWORK_KLASSE(CObjekt)
public:
    CProzess(QObject* eltern, const QString& titel, const QString& text);
    ~CProzess() override;

    void ausgabe(std::ostream& os) const override;

    void setze_programm(const QString& programm) { aufruf.programm = programm; }
    void setze_argumente(const QStringList& argumente) { aufruf.argumente = argumente; }
    void setze_warten(bool an) { warten = an; }
    // 0: close the dialog at the end when all went well (and hide it at once when not waiting);
    // 1: leave it open; 2: keep it hidden and close it at the end.
    void setze_schliessmodus(int modus) { schliessmodus = modus; }
    // Whether the start line with the arguments goes into the dialog.
    void setze_ausgabe_zeigen(bool an) { aufruf.ausgabe_zeigen = an; }
    void setze_oeffnungsmodus(QIODevice::OpenMode modus) { aufruf.modus = modus; }
    // A descriptor the program inherits (see `CProzessAufruf`); the runner holds it until the
    // program has started.
    void setze_erbe(std::shared_ptr<const int> erbe) { aufruf.erbe = std::move(erbe); }
    // Seconds to wait for the end before the program is killed; a negative value waits without limit.
    void setze_timeout(int sekunden);

    // A normal line into the dialog.
    void protokoll(const QString& text);
    // True unless the run is (so far) marked as failed.
    bool starte();
    // True once the program failed to start, timed out, crashed, ended with an exit code other
    // than 0 or wrote more than one character to its error channel. Final after the end signal.
    bool gib_fehler() const { return schnittstelle->gib_fehler(); }
    // The log dialog; null once it has closed.
    CProzessThread* gib_dialog() const;

signals:
    void prozessfertig_signal();

public slots:
    void prozessfertig_slot();

private:
    std::shared_ptr<CPPRInterface> schnittstelle;
    QString titel;
    QString text;
    bool warten = true;
    int schliessmodus = 0;
    bool gestartet = false;
    QPointer<CProzessThread> dialog;
    CProzessAufruf aufruf;
};
