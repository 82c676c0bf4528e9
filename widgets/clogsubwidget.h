// One text page of the protocol dock: a read-only, white text area that lines are appended to.
#pragma once

#include "cqstring.h"

#include "ctextedit.h"

class CLogSubWidget : public CTextEdit
{
    Q_OBJECT
public:
    CLogSubWidget(QWidget* eltern, const CQString& name);

signals:
    void signalSizeChanged(CLogSubWidget* seite);

public slots:
    // Appends the line (an empty one is skipped), then tells the frame and repaints.
    void slotAppend(QString text);
    // Tells the frame and repaints; the text stays, the dock's lines accumulate for the whole run.
    void slotClear();
};
