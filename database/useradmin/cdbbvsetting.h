// The settings page of the user-administration database: connection, log-on, connection test, SQL protocol and field, template writer, protocol clearing.
#pragma once

#include <QString>
#include <QVariantList>
#include <QVector>
#include <QWidget>
#include <functional>

class CBVDataBase;
class CCheckBox;
class CComboBox;
class CLineEdit;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

class CDbBVsetting : public QWidget
{
    Q_OBJECT
public:
    explicit CDbBVsetting(QWidget* eltern = nullptr);
    ~CDbBVsetting() override;

    // Replaces the rows of the template table of `bv` by `zeilen` (key, value and flag each), as
    // the only writer of the table and whole or not at all: another administrator's template
    // written at the same time comes whole before or after it. Empty on success, else the text
    // for the box (the failure reported); the table is then as it was.
    static QString schreibe_vorlage(const CBVDataBase& bv, const QVector<QVariantList>& zeilen);

    // Asked before `SlotDatabase` logs off or on: false keeps the connection as it is (the window
    // around the page holds edits that were neither saved nor dropped).
    void setze_wechselfrage(std::function<bool()> frage) { wechselfrage = std::move(frage); }

signals:
    // After every log-off or log-on of `SlotDatabase`, failed ones too.
    void verbindung_gewechselt();

public slots:
    // Logs on with the page's values, or off while connected.
    virtual void SlotDatabase();
    // Opens a trial connection with the page's values; the answer in the status line and, with
    // `melden`, in a box.
    virtual void SlotAutoTest(bool melden);
    // Stores host, port, database, user and password.
    virtual void dbauswahl_slot();
    // Stores the driver of the chosen entry.
    virtual void dbdriverauswahl_slot(int index);
    void xAutocon_slot();
    // The protocol level 0 to 2 of the connected database object.
    virtual void sqldebug_slot(int avalue);
    virtual void slotShow_SQL();
    // Runs the SQL field's statement; answers with success and a row count, never with row contents.
    virtual void AusfuehrenSQL_slot();
    void erzeuge_vorlageEinstellungen_slot();
    void protokoll_slot();
    void loesche_protokoll_slot();

protected:
    // The connection may have been lost, or found again, since the page was shown last: its button
    // and state line say what a click now does.
    void showEvent(QShowEvent* ereignis) override;

private:
    void zeige_verbindungsstand();
    // Ends a failed template run: log, wait cursor off, critical box.
    void melde_abbruch(const QString& text);

    CComboBox* treiber;
    CLineEdit* host;
    CLineEdit* port;
    CLineEdit* name;
    CLineEdit* benutzer;
    CLineEdit* kennwort;
    CCheckBox* autoverbindung;
    CCheckBox* protokoll;
    QSpinBox* sqlstufe;
    QPushButton* verbinden;
    QLabel* stand;
    QWidget* sqlbereich;
    QPlainTextEdit* sqltext;
    QLabel* sqlergebnis;
    std::function<bool()> wechselfrage;
};
