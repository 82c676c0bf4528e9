// The dialog of a wait for work beside the window: only its Abbrechen ends the wait early, a close from around it does not.
#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>

// Modal to the whole program, without a close button. Its Abbrechen (the button, or Escape) is
// the user's and emits `canceled`; a close from around it is not (every window closed by
// "Beenden", the session's end, Qt closing the rest once the last window went): the work goes
// on, and `halte_offen` shows the dialog again while it runs, so that the program keeps a window
// as long as it has work.
class CWartedialog : public QProgressDialog
{
public:
    // Shows itself, through `halte_offen`, once `nach_ms` have passed since it was made.
    CWartedialog(const QString& text, QWidget* eltern, int nach_ms);
    // Closed from around while the work ran, or the last of the program's other windows closed
    // meanwhile (the viewer that saved, when no main window shows), the dialog is closed for good
    // now, so that Qt's rule ends the program when it was its last window, as it would have
    // without the work.
    ~CWartedialog() override;

    // Called again and again while the work runs: shows the dialog once its delay has passed, and
    // again after a close from around.
    void halte_offen();

public slots:
    // Escape that no shortcut took: the user's Abbrechen.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* ereignis) override;

private:
    QElapsedTimer seit;
    const int nach_ms;
    // Another window kept the program running when the wait began.
    const bool gehalten;
    bool geschlossen = false;
};
