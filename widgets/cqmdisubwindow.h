// The sub-window in which a window of the system is shown inside the workspace: product logo, a close that can be refused, the way back from tabbed view.
#pragma once

#include <QMdiSubWindow>

class CQMdiSubWindow : public QMdiSubWindow
{
    Q_OBJECT
public:
    // Mode 1 puts the sub-window, with `inhalt` (may be null) as its widget, into the published
    // workspace and lets it delete itself when closed; with any other mode the caller does that.
    CQMdiSubWindow(int modus, QWidget* inhalt);

    // While closing is not allowed every close request is refused with the error beep.
    void setze_schliessen_erlaubt(bool erlaubt) { schliessen_erlaubt = erlaubt; }
    bool ist_schliessen_erlaubt() const { return schliessen_erlaubt; }

signals:
    // Once per accepted close.
    void closeEvent_signal(CQMdiSubWindow* fenster);

protected slots:
    void resizeEvent(QResizeEvent* e) override;
    void SlotStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);
    // The first entry of the system menu leaves the workspace's tabbed view.
    void SlotWinSysMenuTriggered(QAction* action);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    bool schliessen_erlaubt = true;
    QWidget* inhalt;
    int modus;
    Qt::WindowStates fensterzustand;
};
