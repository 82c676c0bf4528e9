// Work on a thread of its own that the GUI thread follows: its share done, its end and a cancel, so that long work on a report never holds the window.
#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>

class QThread;
class QWidget;

// The work runs on a new thread and touches no widget; it tells its share done through
// `melde_anteil` and asks `abgebrochen` between its steps. An exception it throws (memory
// running out included) ends it as a failure with the exception's text. The object itself
// belongs to the GUI thread.
class CHintergrund : public QObject
{
    Q_OBJECT
public:
    // What the work returns is why it failed; empty when it did its work.
    using Arbeit = std::function<QString(CHintergrund&)>;

    explicit CHintergrund(Arbeit arbeit, QObject* eltern = nullptr);
    // Cancels work still running and waits for its end (the end of its current step).
    ~CHintergrund() override;

    // Starts the work once.
    void starte();
    void brich_ab();
    // Any thread.
    bool abgebrochen() const { return abbruch.load(); }
    // Any thread: the share done, 0 to 1000; a new share reaches `anteil` on the GUI thread.
    void melde_anteil(int promille);
    // The shares told from now on stand for those from `von` to `bis` of the whole work.
    void setze_abschnitt(int von, int bis);
    // After `fertig`: why the work failed; empty when it did not.
    const QString& gib_fehler() const { return fehler; }
    // The thread the work runs on (null before `starte`): what the work makes for the GUI
    // thread goes there by `QObject::moveToThread` before the work returns.
    QThread* gib_thread() const { return faden; }

    // Runs `arbeit` and returns once it has ended, the GUI thread's event loop running
    // meanwhile. After half a second a modal dialog titled `titel` shows its share and a cancel
    // button, which `abgebrochen` tells the work. An object whose deletion is asked for meanwhile
    // (a window closed) goes once the work has ended. Returns why the work failed, empty when it did not.
    static QString fuehre_aus(QWidget* eltern, const QString& titel, Arbeit arbeit);

    // Deletes `objekt` (with its children) on a thread of the pool that the application waits for
    // before it ends: a document of a million paragraphs takes the GUI thread some tenths of a
    // second to delete. Nothing may refer to it any more; its signals are cut here.
    static void loesche(QObject* objekt);

signals:
    void anteil(int promille);
    // The work has ended; the thread too.
    void fertig();

protected:
    void customEvent(QEvent* ereignis) override;

private:
    void laufe();

    Arbeit arbeit;
    QThread* faden = nullptr;
    std::atomic<bool> abbruch{false};
    std::atomic<int> gemeldet{-1};
    std::atomic<bool> unterwegs{false};
    std::atomic<bool> beendet{false};
    std::atomic<int> abschnitt_von{0};
    std::atomic<int> abschnitt_bis{1000};
    QString fehler;
};
