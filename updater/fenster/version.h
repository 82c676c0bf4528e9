// The updater's About dialog: name, purpose, version and date, and the maker's notice.
#pragma once

#include <QDialog>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

// The form "versionBase": builds the dialog's widgets and gives them their texts in the
// translation context "versionBase".
class versionBase
{
public:
    void setupUi(QDialog* dialog);
    void retranslateUi(QDialog* dialog);

    QGridLayout* gridLayout = nullptr;
    QLabel* PixmapLabel = nullptr;
    QHBoxLayout* horizontalLayout = nullptr;
    QLabel* TextLabel1 = nullptr;
    QPushButton* OKbut = nullptr;
    QVBoxLayout* verticalLayout = nullptr;
    QLabel* lDemoVersion = nullptr;
    QLabel* lohneDB = nullptr;
    QVBoxLayout* verticalLayout_2 = nullptr;
    QLabel* TextLabel2 = nullptr;
    QLabel* TextLabel3 = nullptr;
};

// Shown modally from the help menu and deleted when it closes.
class version : public QDialog
{
    Q_OBJECT
public:
    explicit version(QWidget* eltern = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

    const versionBase& gib_formular() const { return formular; }

private:
    versionBase formular;
};
