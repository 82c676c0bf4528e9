// An edit block held on a document while cursors are set in it, so that the layout is never asked where they lie.
#pragma once

#include <QSignalBlocker>
#include <QTextCursor>

class QTextDocument;

// Cursors set inside an edit block leave their place across unmeasured: the layout is not asked
// where they lie, which for a place far down a report still being laid out lays it out up to
// there, seconds at its end. Nothing of the text changes: the document tells no one of the block,
// nor counts it as a change.
class CUngemessen
{
public:
    explicit CUngemessen(QTextDocument& dokument);
    ~CUngemessen();
    CUngemessen(const CUngemessen&) = delete;
    CUngemessen& operator=(const CUngemessen&) = delete;

private:
    QTextDocument& dokument;
    const bool geaendert;
    const QSignalBlocker still;
    QTextCursor klammer;
};
