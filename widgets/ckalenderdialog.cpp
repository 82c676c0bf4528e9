#include "ckalenderdialog.h"

#include <QCalendarWidget>
#include <QVBoxLayout>

CKalenderDialog::CKalenderDialog(QWidget* eltern, const QDate& datum)
    : QDialog(eltern), kalender(new QCalendarWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kalender);
    kalender->setSelectedDate(datum);
    connect(kalender, &QCalendarWidget::activated, this, &CKalenderDialog::calenderAccepted);
}

void CKalenderDialog::datumAccepted()
{
    datum = kalender->selectedDate();
    accept();
}

void CKalenderDialog::calenderAccepted(QDate)
{
    datumAccepted();
}
