// The one-line text input dialog: two explanation lines, a bold caption with its input field, optional search options, OK and Cancel.
#pragma once

#include "ccthread.h"

#include <memory>

class QCheckBox;
class QDialog;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class CLineEdit;
class QPushButton;
class QSpacerItem;

// The dialog's named child widgets, built as a form file would build them. Callers write the
// label, group and check-box texts (placeholders until then) and read the input and the option.
class EingabeString
{
public:
    void setupUi(QDialog* dialog);
    void retranslateUi(QDialog* dialog);

    QGridLayout* gridLayout_2 = nullptr;
    QLabel* textLabel1 = nullptr;
    QLabel* textLabel2 = nullptr;
    QLabel* EingabeLabel = nullptr;
    CLineEdit* lineEdit = nullptr;
    QGroupBox* groupBox = nullptr;
    QGridLayout* gridLayout = nullptr;
    QCheckBox* checkBox = nullptr;
    QSpacerItem* spacer = nullptr;
    QHBoxLayout* hboxLayout = nullptr;
    QSpacerItem* spacer_2 = nullptr;
    QPushButton* bNNOk = nullptr;
    QPushButton* bNNCancel = nullptr;
};

// Shown with exec(): OK (also Return in the input, Alt+O) accepts, Cancel (Alt+A) rejects. The
// search options stay hidden until the caller shows them. The modal flag is kept for callers
// that pass it; exec() is what makes the dialog modal.
class CEingabeString : public CDialog
{
    Q_OBJECT
public:
    explicit CEingabeString(QWidget* eltern = nullptr, const CQString& name = CQString(), bool modal = false,
                            Qt::WindowFlags flags = Qt::WindowFlags());
    ~CEingabeString() override;

    EingabeString* gib_formular() const { return formular.get(); }

private:
    std::unique_ptr<EingabeString> formular;
};
