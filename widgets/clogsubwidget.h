// One text page of the protocol dock: a read-only, white text area that lines are appended to.
#pragma once

#include "cqstring.h"

#include "ctextedit.h"

#include <QPointer>

#include <functional>

class CZeilenpuffer;

// Lines arrive in bursts from every thread that logs: they are appended together on the event
// loop (see CZeilenpuffer), and the page repaints with the next paint event, never once per line.
// The page keeps no undo history: it only ever grows.
class CLogSubWidget : public CTextEdit
{
    Q_OBJECT
public:
    CLogSubWidget(QWidget* eltern, const CQString& name);

    // Appends the lines still queued: before the page's text is read, printed or saved.
    void zeige_ausstehende();
    // The same a slice at a time (`CZeilenpuffer::nachtrag`).
    std::function<int(qint64 bis_ms)> nachtrag();

signals:
    void signalSizeChanged(CLogSubWidget* seite);

public slots:
    // Queues the line (an empty one is skipped); once appended, the frame is told and the page
    // repaints.
    void slotAppend(QString text);
    // Tells the frame and repaints; the text stays, the dock's lines accumulate for the whole run.
    void slotClear();

private:
    void angehaengt();

    QPointer<CZeilenpuffer> puffer;
};
