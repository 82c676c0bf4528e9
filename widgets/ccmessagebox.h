// The dialog log window used as a message box: an icon, a title line, text and up to three buttons.
#pragma once

#include "ccdiaglog.h"

#include <QMessageBox>

// Made on the heap and never touched after exec(): the box deletes itself when closed, and
// exec() deletes it before it returns. exec() returns 0 after "Ok" (closing), -1 after
// `slot_button2`, 1 after `slot_button3`.
class CCMessageBox : public CCDiagLog
{
    Q_OBJECT
    FRAMEWORK_KLASSE(CCDiagLog)
public:
    CCMessageBox(QWidget* eltern, const CQString& titel, const CQString& name,
                 Qt::WindowFlags flags = Qt::WindowFlags());
    ~CCMessageBox() override;

    void thread_beendet() override {}

    void haengeTextAn(const CQString& text);
    // NoIcon hides the icon; any other shows the style's standard icon of that kind.
    void setzeSymbol(QMessageBox::Icon symbol);

public slots:
    void slot_button3();
    void slot_button2();
    void slot_buttonok();

private:
    int ergebnis = -1;
    int basiswert = 0;
};
