// The password dialog of the user administration (set, change or enter a password) and the seam through which its modal windows run.
#pragma once

#include "ccthread.h"
#include "cqstring.h"

#include <functional>

class CComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// Runs a modal window of the user administration: a dialog by exec() (its result), a menu at
// the cursor position (1 when an action was chosen). A test installs a replacement that fills
// the fields and answers; an empty function restores the default.
int fuehre_modal_aus(QWidget* fenster);
using ModalFunktion = std::function<int(QWidget* fenster)>;
void setze_modal_funktion(ModalFunktion funktion);

// Collects texts only: the caller reads the fields after exec() and judges them. Modes: 0 change
// (old, new and confirmation), 1 set (new and confirmation), any other enter (user choice and one
// password).
class Canwender_passwort : public CDialog
{
    Q_OBJECT
public:
    Canwender_passwort(QWidget* eltern, const CQString& name, int modus, int = 0,
                       Qt::WindowFlags flags = Qt::WindowFlags());
    ~Canwender_passwort() override;

    QGridLayout* gridLayout = nullptr;
    QLabel* lUser = nullptr;
    QLineEdit* cUser = nullptr;
    QLabel* lUser1 = nullptr;
    CComboBox* comboUser = nullptr;
    QLabel* lPass = nullptr;
    QLineEdit* ePass = nullptr;
    QLabel* lPass_n = nullptr;
    QLineEdit* ePass_n = nullptr;
    QLabel* lPass_nb = nullptr;
    QLineEdit* ePass_nb = nullptr;
    QLabel* lModus = nullptr;
    CComboBox* comboModus = nullptr;
    QPushButton* bNNOk = nullptr;
    QPushButton* bNNCancel = nullptr;

public slots:
    virtual void languageChange();
    virtual void comboUser_slot(const QString& text);

private:
    void retranslateUi();
};

// Fills the combo box with the names of the product areas and selects the current one.
void fuelle_sparten_combo(CComboBox* combo);
