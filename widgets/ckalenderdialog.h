// A dialog that lets the user pick a date from a calendar.
#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;

class CKalenderDialog : public QDialog
{
    Q_OBJECT
public:
    // Shows `datum` selected; activating a day (double click, Enter) accepts the dialog.
    explicit CKalenderDialog(QWidget* eltern = nullptr, const QDate& datum = QDate::currentDate());

    QCalendarWidget* gib_kalender() const { return kalender; }
    // The date taken when the dialog was accepted; invalid before.
    const QDate& gib_datum() const { return datum; }

public slots:
    void datumAccepted();
    // Takes the calendar's selection, whatever date the signal carried.
    void calenderAccepted(QDate adate);

private:
    QCalendarWidget* kalender;
    QDate datum;
};
