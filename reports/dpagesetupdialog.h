// The framework's page set-up dialog for PDF-file printers: the page set-up form with Ok and Cancel.
#pragma once

#include <QDialog>

class DPageSetupWidget;
class QPrinter;

class DPageSetupDialog : public QDialog
{
    Q_OBJECT
public:
    // The printer is not owned and must outlive the dialog.
    DPageSetupDialog(QPrinter* drucker, QWidget* parent);
    ~DPageSetupDialog() override;

    // The dialog's result; on Accepted the choices are written into the printer first, on
    // Rejected the printer stays as it was.
    int exec() override;

    DPageSetupWidget* gib_widget() const { return widget; }

private:
    void baue_auf();

    QPrinter* drucker;
    DPageSetupWidget* widget = nullptr;
};
