// The printer assignment: the printers the application prints on, their page layout, the default printer and the test print.
#pragma once

#include "camisc.h"
#include "cprinter.h"
#include "cqstring.h"
#include "cqtableview.h"

#include <QDialog>
#include <QList>
#include <QMarginsF>
#include <QString>

#include <memory>

class QLabel;
class QObject;

// A dialog that owns up to 20 printers, shows them in a table and marks one as the default.
// The print roads reach it through the objects bundle (it is a `CDruckerzuordnung`); the printers
// it hands out stay its own. Nothing is kept between runs of the program.
class CSeiteEinrichtenWidget : public QDialog, public CDruckerzuordnung
{
    Q_OBJECT
public:
    // At most this many printers can be assigned.
    static constexpr int hoechstzahl = 20;

    explicit CSeiteEinrichtenWidget(QWidget* eltern = nullptr);
    ~CSeiteEinrichtenWidget() override;

    // The default printer, or null with `meldung` saying why (and, unless `ohne_hinweis` is set,
    // where to assign one).
    CPrinter* gib_standarddrucker(CQString& meldung, const bool& ohne_hinweis) override;
    // The printer of the running test print; null with a message while none runs.
    CPrinter* gib_testdrucker(CQString& meldung);
    // A print job on the test printer has ended: logs it and forgets the test print.
    void testdruck_beendet();
    // Forgets the test print without logging it (its job was given up).
    void beende_testdruck();
    // A print job on the test printer failed: logs it, tells the user (with `grund`, when known)
    // and forgets the test print.
    void testdruck_fehlgeschlagen(const QString& grund = QString());
    // Name, paper, orientation and margins (millimetres) of a printer, null meaning the default
    // printer; without the minimum margins when `ohne_minimum` is set.
    void gib_druckerbeschreibung(QString& ergebnis, QPrinter* drucker, bool ohne_minimum) override;
    QList<CPrinter*> gib_druckerliste() const { return druckerliste; }
    // Appends the new printer and returns null, or returns the listed printer of the same display
    // name and leaves the list (and the new printer, still the caller's) alone.
    CPrinter* uebernimm_drucker(CPrinter* drucker);
    static bool ist_systemstandarddrucker(const QString& name);
    // Fills the table from the list and shows the message label while no default is assigned.
    void zeige_druckertabelle();
    // Assigns the printer that writes PDF files (there is one at most) and makes it current;
    // null when the list is full.
    CPrinter* fuege_pdf_drucker_hinzu();
    // True once a printer was added, removed, made default or given another page layout during
    // the last `exec`.
    bool ist_geaendert() const { return geaendert; }

    // The rest of what the print roads ask.
    int richte_seite_ein() override;
    bool setze_pdf_ausgabedatei(QPrinter* drucker, QWidget* eltern) override;
    bool mit_druckerversatz(QPrinter* drucker) override;
    QMarginsF gib_seitenraender(QPrinter* drucker) override;

public slots:
    // Shows the assignment; 1 when the user accepted it.
    int exec() override;
    virtual void onChooseAcceptClicked();
    virtual void onChooseRejectClicked();
    void onChoosePrinterButtonClicked();
    void onChoosePageLayoutButtonClicked();
    // The printer in the table's row (as shown) becomes current.
    virtual void slot_tabrowSelected(int index);
    virtual void slot_configPrinter();
    virtual void slot_deletePrinter();
    virtual void slot_setzeDefault();
    // The same test print through a hidden web page, which prints through PDF data.
    virtual void slot_druckeTestseiteWE();
    // Prints the current printer's description on it as a one-page test print.
    virtual void slot_druckeTestseite();
    void slot_pdfDruckerHinzu();

private:
    struct Formular;

    // False (after telling the user) when the list is full.
    bool hat_platz();
    // Starts a test print on the current printer, kept while `traeger` lives (it becomes the
    // assignment's); false, after the error beep, without a current printer or while one runs.
    bool beginne_testdruck(QObject* traeger);
    // Lists a new printer, or takes the listed one of its name in its place; it becomes current.
    void nimm_auf(CPrinter* neu);

    QWidget* eltern;
    std::unique_ptr<Formular> formular;
    CPrinter* aktueller_drucker = nullptr;
    CPrinter* standarddrucker = nullptr;
    CPrinter* testdrucker = nullptr;
    QList<CPrinter*> druckerliste;
    CQTableView* tabelle = nullptr;
    CSpaltenTypen spaltentypen;
    // The page of the running test print; the test printer is valid only while it exists.
    std::unique_ptr<QObject> testdruck;
    bool geaendert = false;
};

// The small variant: one printer, chosen in the print dialog, and its page layout in a label.
class CSeiteEinrichtenWidgetV1 : public QDialog
{
    Q_OBJECT
public:
    explicit CSeiteEinrichtenWidgetV1(QWidget* eltern = nullptr);
    ~CSeiteEinrichtenWidgetV1() override;

    CPrinter* gib_drucker() const { return drucker.get(); }

public slots:
    void onChoosePrinterButtonClicked();
    void onChoosePageLayoutButtonClicked();

private:
    void zeige_seitenlayout();

    QWidget* eltern;
    QLabel* druckerlabel;
    QLabel* layoutlabel;
    std::unique_ptr<CPrinter> drucker;
};
