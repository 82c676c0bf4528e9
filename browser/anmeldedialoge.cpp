#include "anmeldedialoge.h"

#include <QApplication>
#include <QAuthenticator>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QUrl>

namespace {

// The parts of a form that the questions fill in and read back.
struct Formular {
    QLabel* icon;
    QLabel* intro;
    QLineEdit* benutzer;
    QLineEdit* kennwort;
};

QLabel* neues_label(QDialog* dialog, const char* name)
{
    auto* label = new QLabel(dialog);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLineEdit* neue_zeile(QDialog* dialog, const char* name, bool verdeckt)
{
    auto* zeile = new QLineEdit(dialog);
    zeile->setObjectName(QLatin1String(name));
    if (verdeckt)
        zeile->setEchoMode(QLineEdit::Password);
    return zeile;
}

QDialogButtonBox* neue_knoepfe(QDialog* dialog)
{
    auto* knoepfe = new QDialogButtonBox(dialog);
    knoepfe->setObjectName(QStringLiteral("buttonBox"));
    knoepfe->setOrientation(Qt::Horizontal);
    knoepfe->setStandardButtons(QDialogButtonBox::Cancel | QDialogButtonBox::Ok);
    QObject::connect(knoepfe, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(knoepfe, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return knoepfe;
}

QGridLayout* neues_gitter(QDialog* dialog, const char* name, int breite, int hoehe)
{
    dialog->setObjectName(QLatin1String(name));
    dialog->resize(breite, hoehe);
    auto* gitter = new QGridLayout(dialog);
    gitter->setObjectName(QStringLiteral("gridLayout"));
    return gitter;
}

Formular baue_kennwortformular(QDialog* dialog)
{
    const char* kontext = "PasswordDialog";
    QGridLayout* gitter = neues_gitter(dialog, kontext, 399, 148);
    auto* zeile = new QHBoxLayout;
    zeile->setObjectName(QStringLiteral("hboxLayout"));
    Formular f{neues_label(dialog, "iconLabel"), neues_label(dialog, "introLabel"),
               neue_zeile(dialog, "userNameLineEdit", false), neue_zeile(dialog, "passwordLineEdit", true)};
    f.intro->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    zeile->addWidget(f.icon);
    zeile->addWidget(f.intro);
    gitter->addLayout(zeile, 0, 0, 1, 2);
    QLabel* benutzer = neues_label(dialog, "label");
    gitter->addWidget(benutzer, 1, 0);
    gitter->addWidget(f.benutzer, 1, 1);
    QLabel* kennwort = neues_label(dialog, "lblPassword");
    gitter->addWidget(kennwort, 2, 0);
    gitter->addWidget(f.kennwort, 2, 1);
    gitter->addWidget(neue_knoepfe(dialog), 3, 0, 1, 2);

    dialog->setWindowTitle(QCoreApplication::translate(kontext, "Authentifikation erforderlich"));
    f.icon->setText(QCoreApplication::translate(kontext, "DUMMY ICON"));
    f.intro->setText(QCoreApplication::translate(kontext, "INTRO TEXT DUMMY"));
    benutzer->setText(QCoreApplication::translate(kontext, "Benutzername:"));
    kennwort->setText(QCoreApplication::translate(kontext, "Kennwort:"));
    QMetaObject::connectSlotsByName(dialog);
    return f;
}

Formular baue_proxyformular(QDialog* dialog)
{
    const char* kontext = "ProxyDialog";
    QGridLayout* gitter = neues_gitter(dialog, kontext, 369, 144);
    Formular f{neues_label(dialog, "iconLabel"), neues_label(dialog, "introLabel"),
               neue_zeile(dialog, "userNameLineEdit", false), neue_zeile(dialog, "passwordLineEdit", true)};
    gitter->addWidget(f.icon, 0, 0);
    gitter->addWidget(f.intro, 0, 1, 1, 2);
    QLabel* benutzer = neues_label(dialog, "usernameLabel");
    gitter->addWidget(benutzer, 1, 0, 1, 2);
    gitter->addWidget(f.benutzer, 1, 2);
    QLabel* kennwort = neues_label(dialog, "passwordLabel");
    gitter->addWidget(kennwort, 2, 0, 1, 2);
    gitter->addWidget(f.kennwort, 2, 2);
    gitter->addWidget(neue_knoepfe(dialog), 3, 0, 1, 3);

    dialog->setWindowTitle(QCoreApplication::translate(kontext, "Proxy Authentifikation"));
    f.icon->setText(QCoreApplication::translate(kontext, "ICON"));
    f.intro->setText(QCoreApplication::translate(kontext, "Connect to proxy"));
    benutzer->setText(QCoreApplication::translate(kontext, "benutzername:"));
    kennwort->setText(QCoreApplication::translate(kontext, "kennwort:"));
    QMetaObject::connectSlotsByName(dialog);
    return f;
}

bool frage(QWidget* eltern, Formular (*baue)(QDialog*), const QString& intro, QAuthenticator* anmeldung)
{
    QDialog dialog(eltern, Qt::Sheet);
    const Formular f = baue(&dialog);
    f.icon->setText(QString());
    f.icon->setPixmap(dialog.style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, &dialog).pixmap(32, 32));
    f.intro->setText(intro);
    f.intro->setWordWrap(true);
    if (dialog.exec() == QDialog::Accepted) {
        anmeldung->setUser(f.benutzer->text());
        anmeldung->setPassword(f.kennwort->text());
        return true;
    }
    *anmeldung = QAuthenticator();
    return false;
}

} // namespace

bool frage_anmeldung(QWidget* eltern, const QString& einleitung, const QUrl& url, QAuthenticator* anmeldung)
{
    const QString intro =
        einleitung.arg(anmeldung->realm().toHtmlEscaped(), url.toString().toHtmlEscaped());
    return frage(eltern, baue_kennwortformular, intro, anmeldung);
}

bool frage_proxyanmeldung(QWidget* eltern, const QString& einleitung, const QString& host,
                          QAuthenticator* anmeldung)
{
    return frage(eltern, baue_proxyformular, einleitung.arg(host.toHtmlEscaped()), anmeldung);
}
