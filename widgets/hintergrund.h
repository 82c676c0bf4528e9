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

    // Runs `arbeit` and returns once it has ended, the GUI thread's events running meanwhile
    // (as `warte` runs them, the program's end included). After half a second a modal dialog
    // titled `titel` shows its share (a busy bar while the share stands still) and a cancel
    // button, which `abgebrochen` tells the work; the dialog closed by any other road (every
    // window closed, the session's end) is no cancel: it shows again until the work has ended,
    // and then goes for good, so that the program ends when it was its last window
    // (`CWartedialog`), as it does when the other windows closed meanwhile. An
    // object whose deletion is asked for meanwhile (a window closed) goes once the work has
    // ended; `eltern` may still be deleted at any moment (the work goes on, without the dialog).
    // Returns why the work failed, empty when it did not.
    static QString fuehre_aus(QWidget* eltern, const QString& titel, Arbeit arbeit);

    // How a wait ended: what it waited for came, the user cancelled, or the object it waited on went.
    enum class Ende { fertig, abgebrochen, weg };
    // Runs the GUI thread's events until `fertig` holds, with the dialog of `fuehre_aus`; its
    // share is `anteil` (0 to 1000; -1, or no function, for a wait of unknown length). A
    // deletion asked for meanwhile is held back as there. The wait ends as well when the user
    // cancels, and when `kontext` goes (deleted by any road): `fertig` and `anteil` are not
    // called after that, so that they may read it. The program's end does not end the wait:
    // what runs is finished.
    static Ende warte(QWidget* eltern, const QString& titel, const QObject* kontext, const std::function<bool()>& fertig,
                      const std::function<int()>& anteil = {});

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
