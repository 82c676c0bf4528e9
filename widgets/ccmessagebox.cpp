#include "ccmessagebox.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>

CKlasse eintrag_CCMessageBox("CCMessageBox");
CKlasse* CCMessageBox::klasse = &eintrag_CCMessageBox;

CCMessageBox::CCMessageBox(QWidget* eltern, const CQString& titel, const CQString& name, Qt::WindowFlags flags)
    : CCDiagLog(eltern, name, flags)
{
    if (!titel.isEmpty())
        setWindowTitle(titel);
    formular.gridLayout->setContentsMargins(2, 2, 2, 2);
    fortschrittsbalken->hide();
    schliessen_knopf->setEnabled(true);
    schliessen_knopf->setDefault(true);
    schliessen_knopf->setAutoDefault(true);
    schliessen_knopf->setShortcut(QKeySequence(Qt::Key_Return));
    for (QPushButton* knopf : {formular.fbutton2, formular.fbutton3}) {
        knopf->setDefault(false);
        knopf->setAutoDefault(false);
        knopf->setShortcut(QKeySequence());
    }
}

CCMessageBox::~CCMessageBox()
{
    beende_worker();
}

void CCMessageBox::haengeTextAn(const CQString& text)
{
    // Behind any line still on its way from a worker, and following the end as those do.
    haenge_zeile_an(text);
}

void CCMessageBox::setzeSymbol(QMessageBox::Icon symbol)
{
    if (symbol == QMessageBox::NoIcon) {
        icon_label->hide();
        return;
    }
    icon_label->setPixmap(QMessageBox::standardIcon(symbol));
    icon_label->show();
}

void CCMessageBox::slot_buttonok()
{
    ergebnis = basiswert;
    done(ergebnis);
}

void CCMessageBox::slot_button2()
{
    ergebnis = basiswert - 1;
    done(ergebnis);
}

void CCMessageBox::slot_button3()
{
    ergebnis = 1;
    done(1);
}
