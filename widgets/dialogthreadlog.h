// The form that every log window shows: icon and title lines, text area, progress bar, print, save and three buttons.
#pragma once

#include "cqstring.h"

class CSpeichernButton;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpacerItem;
class QTextBrowser;
class QWidget;

// Builds the named child widgets on a window, as a form file would. The dialog log window and
// the widget log window show the same form; they differ only in the form's object name, its
// first size, its window title and the context its texts are translated in.
class DialogThreadLog
{
public:
    enum class Art { Dialog, Widget };

    void setupUi(QWidget* form, Art art);
    void retranslateUi(QWidget* form);

    // The save button of the log windows, put in the place of "pb_speichern": text is offered
    // for the type "txt", HTML for "html", PDF for both; PDF is the default for "html" and
    // "pdf", text otherwise. The caller connects its signal.
    CSpeichernButton* erzeuge_speichern_knopf(const CQString& typ);

    QGridLayout* gridLayout = nullptr;
    QHBoxLayout* hboxLayout1 = nullptr;
    QLabel* ficonlabel = nullptr;
    QLabel* fueberschrift = nullptr;
    QLabel* fdata = nullptr;
    QTextBrowser* ftextbroser = nullptr;
    QProgressBar* fprogressbar = nullptr;
    QHBoxLayout* hboxLayout = nullptr;
    QPushButton* pb_drucken = nullptr;
    QPushButton* pb_speichern = nullptr;
    QSpacerItem* spacer = nullptr;
    QPushButton* fbutton3 = nullptr;
    QPushButton* fbutton2 = nullptr;
    QPushButton* fbuttonok = nullptr;

private:
    Art art = Art::Dialog;
};
