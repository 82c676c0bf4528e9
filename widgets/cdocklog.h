// The protocol dock window: shows the program's log output as coloured lines, fed by the logger from any thread.
#pragma once

#include "clogbase.h"
#include "cloginterface.h"
#include "cqstring.h"
#include "ctextreihe.h"

#include <QDockWidget>
#include <QEvent>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class CLogSubWidget;
class CLogWidget;
class QAction;
class QResizeEvent;
class QShowEvent;

// Tells the dock that formatted log lines wait for it: posted by the logging thread whose line
// found none waiting, so that a burst of lines wakes the GUI thread once, not once per line.
class CDockLogWrite : public QEvent
{
public:
    static constexpr QEvent::Type typ = static_cast<QEvent::Type>(10006);
    CDockLogWrite() : QEvent(typ) {}
};

// The log4cpp side: an interface appender on the root category calls `write` in whatever thread
// logs; `write` only queues the line for the dock, which shows it in the GUI thread, coloured by its
// priority (up to ERROR red, WARN brown, anything else black). The CQLogBase side: lines the
// message functions send to the dock go to the program logger, and so come back through the
// appender. The dock answers `kann_html` with false, so that the message functions send it their
// lines as they are.
//
// The dock publishes itself as the process-wide dock (`setze_docklog`) when it is whole. Its
// destructor first takes its interface appender off the root category and clears the published
// pointer, so that no logging thread can post to it any more.
class CDockLog : public QDockWidget, public log4cpp::CLogInterface, public CQLogBase
{
    Q_OBJECT
public:
    explicit CDockLog(QWidget* eltern = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~CDockLog() override;

    // Any thread: queues a non-empty line for the process-wide dock while the program has a main
    // widget. Never logs and never throws.
    void write(const log4cpp::LoggingEvent& ereignis, const std::string& text) override;

    using CQLogBase::neue_textzeile;
    using CQLogBase::neue_titelzeile;
    using CQLogBase::neue_zusatzzeile;
    using CQLogBase::setze_fortschritt;
    // Logs the line: type 1 as WARN, 2 as ERROR, any other as INFO.
    void neue_textzeile(const CQString& text, const int& typ) override;
    void setze_fortschritt(int schritt) override;
    void setze_info(int a, int b) override;
    void neue_zusatzzeile(const CQString& text) override;
    void neue_titelzeile(const CQString& text) override;
    void titel_data(const CQString& text) override;
    void setting(int wert) override;
    bool kann_html() override;

    // The main window's print command: prints the output page; `druckart` is passed on.
    void drucke(int* druckart);
    // The main window's save command: an empty dock only beeps, else asks for a file.
    void speichere();
    // Appends every line that reached the dock so far, also while it is hidden: before its text
    // is read, printed or saved.
    void zeige_ausstehende();
    // The same a slice at a time, so that the window answers meanwhile (`trage_nach`).
    std::function<int(qint64 bis_ms)> nachtrag();

    QAction* gib_umschalt_aktion() const { return umschalt_aktion; }
    CLogWidget* gib_logwidget() const { return logwidget; }
    CLogSubWidget* gib_ausgabeseite() const { return ausgabeseite; }

public slots:
    void slotView(bool an);

protected:
    void customEvent(QEvent* event) override;
    // The first time the dock shows docked in a main window, it takes a quarter of the window's
    // height (at least its minimum): its size hint would leave a job window no room beside it.
    void showEvent(QShowEvent* event) override;

protected slots:
    void resizeEvent(QResizeEvent* event) override;

private:
    // GUI thread: hands the lines queued so far to their page, a slice at a time: a dock shown
    // after a long run finds hundreds of thousands waiting. The rest follows on the event loop.
    void zeige_wartende();
    // Hands waiting lines to their page for about `bis_ms` (-1: all); true when none is left.
    bool reiche_wartende(qint64 bis_ms);
    // One line, coloured by its priority, to the page the priority chooses.
    void zeige_zeile(const std::string& text, std::uint64_t prioritaet);

    // Lines queued by `write` and not yet taken; while there are any, a CDockLogWrite is on its way
    // or the dock is hidden. A hidden dock leaves them here until it is shown: every line of the
    // program comes to it, and it is hidden most of the time. They wait as the logger hands them
    // over (UTF-8), each with its priority, in little memory: a long run keeps hundreds of
    // thousands.
    std::mutex zeilen_sperre;
    CTextreihe wartende_zeilen;
    // Lines that reached the dock, and those handed to their page (GUI thread).
    std::uint64_t eingegangen = 0;
    std::uint64_t gereicht = 0;
    // The lines taken from the queue and not yet all handed on, read from the first.
    CTextreihe in_arbeit;
    std::unique_ptr<CTextreihe::Leser> leser;
    QAction* umschalt_aktion = nullptr;
    CLogWidget* logwidget = nullptr;
    CLogSubWidget* fehlerseite = nullptr;
    CLogSubWidget* warnseite = nullptr;
    CLogSubWidget* ausgabeseite = nullptr;
    int seitenzahl = 0;
    int fehler_tab = 0;
    int warn_tab = 0;
    int ausgabe_tab = 0;
    bool erste_anzeige = true;
};

// Shows the process-wide dock; nothing while there is none.
void zeige_protokollfenster();
// Hides the process-wide dock when it is shown, else shows it; nothing while there is none.
void schalte_protokollfenster();
