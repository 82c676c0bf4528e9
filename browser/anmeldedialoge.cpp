#include "anmeldedialoge.h"
#include "dialogseam.h"

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
    QLabel* benutzer_label = nullptr;
    QLabel* kennwort_label = nullptr;
};

// A form's texts, translated in the form's own context.
struct Texte {
    const char* titel;
    const char* icon;
    const char* intro;
    const char* benutzer;
    const char* kennwort;
};

void beschrifte(QDialog* dialog, const Formular& f, const Texte& t)
{
    const QByteArray kontext = dialog->objectName().toLatin1();
    dialog->setWindowTitle(QCoreApplication::translate(kontext, t.titel));
    f.icon->setText(QCoreApplication::translate(kontext, t.icon));
    f.intro->setText(QCoreApplication::translate(kontext, t.intro));
    f.benutzer_label->setText(QCoreApplication::translate(kontext, t.benutzer));
    f.kennwort_label->setText(QCoreApplication::translate(kontext, t.kennwort));
    // A screen reader names each field by its label.
    f.benutzer_label->setBuddy(f.benutzer);
    f.kennwort_label->setBuddy(f.kennwort);
    QMetaObject::connectSlotsByName(dialog);
}

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
    QGridLayout* gitter = neues_gitter(dialog, "PasswordDialog", 399, 148);
    auto* zeile = new QHBoxLayout;
    zeile->setObjectName(QStringLiteral("hboxLayout"));
    Formular f{neues_label(dialog, "iconLabel"), neues_label(dialog, "introLabel"),
               neue_zeile(dialog, "userNameLineEdit", false), neue_zeile(dialog, "passwordLineEdit", true)};
    f.intro->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    zeile->addWidget(f.icon);
    zeile->addWidget(f.intro);
    gitter->addLayout(zeile, 0, 0, 1, 2);
    f.benutzer_label = neues_label(dialog, "label");
    gitter->addWidget(f.benutzer_label, 1, 0);
    gitter->addWidget(f.benutzer, 1, 1);
    f.kennwort_label = neues_label(dialog, "lblPassword");
    gitter->addWidget(f.kennwort_label, 2, 0);
    gitter->addWidget(f.kennwort, 2, 1);
    gitter->addWidget(neue_knoepfe(dialog), 3, 0, 1, 2);
    beschrifte(dialog, f,
               {QT_TRANSLATE_NOOP("PasswordDialog", "Authentifikation erforderlich"),
                QT_TRANSLATE_NOOP("PasswordDialog", "DUMMY ICON"), QT_TRANSLATE_NOOP("PasswordDialog", "INTRO TEXT DUMMY"),
                QT_TRANSLATE_NOOP("PasswordDialog", "Benutzername:"), QT_TRANSLATE_NOOP("PasswordDialog", "Kennwort:")});
    return f;
}

Formular baue_proxyformular(QDialog* dialog)
{
    QGridLayout* gitter = neues_gitter(dialog, "ProxyDialog", 369, 144);
    Formular f{neues_label(dialog, "iconLabel"), neues_label(dialog, "introLabel"),
               neue_zeile(dialog, "userNameLineEdit", false), neue_zeile(dialog, "passwordLineEdit", true)};
    gitter->addWidget(f.icon, 0, 0);
    gitter->addWidget(f.intro, 0, 1, 1, 2);
    f.benutzer_label = neues_label(dialog, "usernameLabel");
    gitter->addWidget(f.benutzer_label, 1, 0, 1, 2);
    gitter->addWidget(f.benutzer, 1, 2);
    f.kennwort_label = neues_label(dialog, "passwordLabel");
    gitter->addWidget(f.kennwort_label, 2, 0, 1, 2);
    gitter->addWidget(f.kennwort, 2, 2);
    gitter->addWidget(neue_knoepfe(dialog), 3, 0, 1, 3);
    beschrifte(dialog, f,
               {QT_TRANSLATE_NOOP("ProxyDialog", "Proxy Authentifikation"), QT_TRANSLATE_NOOP("ProxyDialog", "ICON"),
                QT_TRANSLATE_NOOP("ProxyDialog", "Connect to proxy"), QT_TRANSLATE_NOOP("ProxyDialog", "benutzername:"),
                QT_TRANSLATE_NOOP("ProxyDialog", "kennwort:")});
    return f;
}

bool frage(QWidget* eltern, Formular (*baue)(QDialog*), const QString& intro, QAuthenticator* anmeldung)
{
    // Not on this stack: `eltern` may be deleted while the dialog runs.
    auto* dialog = new QDialog(eltern, Qt::Sheet);
    const Formular f = baue(dialog);
    f.icon->setText(QString());
    f.icon->setPixmap(dialog->style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, dialog).pixmap(32, 32));
    f.intro->setText(intro);
    f.intro->setWordWrap(true);
    QString benutzer;
    QString kennwort;
    if (fuehre_dialog_aus(dialog, [&] {
            benutzer = f.benutzer->text();
            kennwort = f.kennwort->text();
        }) == QDialog::Accepted) {
        anmeldung->setUser(benutzer);
        anmeldung->setPassword(kennwort);
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
