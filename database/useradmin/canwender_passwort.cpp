#include "canwender_passwort.h"

#include "bedienhilfe.h"
#include "ccombobox.h"
#include "cstringvalidator.h"
#include "czeichengrenze.h"
#include "einstellungswerte.h"

#include <QApplication>
#include <QCursor>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpacerItem>

namespace {

ModalFunktion& modal_ersatz()
{
    static ModalFunktion funktion;
    return funktion;
}

QLineEdit* kennwortfeld(QWidget* eltern, const char* name, QLineEdit::EchoMode echo)
{
    auto* feld = new QLineEdit(eltern);
    feld->setObjectName(QLatin1String(name));
    // 100 characters, an emoji counted once and never cut in two.
    begrenze_zeichen(feld, 100);
    feld->setEchoMode(echo);
    feld->setAlignment(Qt::AlignLeft);
    return feld;
}

QLabel* beschriftung(QWidget* eltern, const char* name, int mindestbreite)
{
    auto* label = new QLabel(eltern);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(false);
    if (mindestbreite > 0)
        label->setMinimumWidth(mindestbreite);
    return label;
}

} // namespace

int fuehre_modal_aus(QWidget* fenster)
{
    if (modal_ersatz())
        return modal_ersatz()(fenster);
    if (auto* dialog = qobject_cast<QDialog*>(fenster))
        return dialog->exec();
    if (auto* menue = qobject_cast<QMenu*>(fenster))
        return menue->exec(QCursor::pos()) ? 1 : 0;
    return 0;
}

void setze_modal_funktion(ModalFunktion funktion)
{
    modal_ersatz() = std::move(funktion);
}

Canwender_passwort::Canwender_passwort(QWidget* eltern, const CQString& name_, int modus, int, Qt::WindowFlags flags)
    : CDialog(eltern, flags)
{
    name = name_;
    setObjectName(QStringLiteral("anwender_passwort"));
    resize(360, 226);
    setMinimumSize(360, 100);
    setMaximumSize(32767, 32767);
    setSizeGripEnabled(true);

    gridLayout = new QGridLayout(this);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setSpacing(6);
    gridLayout->setContentsMargins(11, 11, 11, 11);

    lUser = beschriftung(this, "lUser", 120);
    lUser->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    cUser = kennwortfeld(this, "cUser", QLineEdit::Normal);
    cUser->setEnabled(false);
    lUser1 = beschriftung(this, "lUser1", 0);
    comboUser = new CComboBox(this, CQString("comboUser"));
    comboUser->setObjectName(QStringLiteral("comboUser"));
    lPass = beschriftung(this, "lPass", 55);
    ePass = kennwortfeld(this, "ePass", QLineEdit::Password);
    lPass_n = beschriftung(this, "lPass_n", 55);
    ePass_n = kennwortfeld(this, "ePass_n", QLineEdit::Password);
    lPass_nb = beschriftung(this, "lPass_nb", 140);
    ePass_nb = kennwortfeld(this, "ePass_nb", QLineEdit::Password);
    lModus = beschriftung(this, "lModus", 0);
    comboModus = new CComboBox(this, CQString("comboModus"));
    comboModus->setObjectName(QStringLiteral("comboModus"));
    bNNOk = new QPushButton(this);
    bNNOk->setObjectName(QStringLiteral("bNNOk"));
    bNNCancel = new QPushButton(this);
    bNNCancel->setObjectName(QStringLiteral("bNNCancel"));
    for (QPushButton* knopf : {bNNOk, bNNCancel}) {
        knopf->setFixedSize(80, 25);
        knopf->setAutoDefault(true);
    }
    bNNOk->setDefault(true);

    const QList<QPair<QLabel*, QWidget*>> zeilen{{lUser, cUser},   {lUser1, comboUser}, {lPass, ePass},
                                                  {lPass_n, ePass_n}, {lPass_nb, ePass_nb}, {lModus, comboModus}};
    for (int zeile = 0; zeile < zeilen.size(); ++zeile) {
        gridLayout->addWidget(zeilen[zeile].first, zeile, 0);
        gridLayout->addWidget(zeilen[zeile].second, zeile, 1, 1, 3);
        // A screen reader names each field by its label.
        zeilen[zeile].first->setBuddy(zeilen[zeile].second);
    }
    gridLayout->addItem(new QSpacerItem(20, 80, QSizePolicy::Minimum, QSizePolicy::Expanding), 6, 2);
    gridLayout->addItem(new QSpacerItem(390, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 7, 0, 1, 2);
    gridLayout->addWidget(bNNOk, 7, 2);
    gridLayout->addWidget(bNNCancel, 7, 3);
    retranslateUi();
    // The sizes above are pixels at 96 dpi; a text that needs more gets it ("neues Kennwort
    // bestätigen" does at 96 dpi already), and the dialog grows with its rows.
    for (QWidget* element : std::initializer_list<QWidget*>{lUser, lPass, lPass_n, lPass_nb, bNNOk, bNNCancel, this})
        gib_platz_fuer_text(element);

    ePass_n->setFocus();
    lModus->hide();
    comboModus->hide();
    setTabOrder(cUser, comboUser);
    setTabOrder(comboUser, ePass);
    setTabOrder(ePass, ePass_n);
    setTabOrder(ePass_n, ePass_nb);
    setTabOrder(ePass_nb, comboModus);
    setTabOrder(comboModus, bNNOk);
    setTabOrder(bNNOk, bNNCancel);

    if (modus == 0 || modus == 1) {
        setWindowTitle(modus == 0 ? tr("Kennwort ändern") : tr("Kennwort setzen"));
        lUser1->hide();
        comboUser->hide();
        if (modus == 1) {
            ePass->hide();
            lPass->hide();
        }
    } else {
        ePass->setFocus();
        lPass->setText(tr("Kennwort"));
        for (QWidget* w : std::initializer_list<QWidget*>{lUser, cUser, ePass_nb, ePass_n, lPass_n, lPass_nb})
            w->hide();
    }
    // Blanks at either end or characters outside Latin-1 would be stored in a form the other
    // programs of the products cannot compare.
    setze_feldvalidator(ePass_n, new CStringValidator(false, false, ePass_n, true, CQString()));

    connect(bNNCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(bNNOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(comboUser, &QComboBox::textActivated, this, &Canwender_passwort::comboUser_slot);
}

Canwender_passwort::~Canwender_passwort() = default;

void Canwender_passwort::retranslateUi()
{
    setWindowTitle(QCoreApplication::translate("anwender_passwort", "Kennwort Anwender/Bearbeiter"));
    lUser->setText(QCoreApplication::translate("anwender_passwort", "Anwender/Bearbeiter"));
    lUser1->setText(QCoreApplication::translate("anwender_passwort", "Anwender/Bearbeiter"));
    lPass->setText(QCoreApplication::translate("anwender_passwort", "altes Kennwort"));
    lPass_n->setText(QCoreApplication::translate("anwender_passwort", "neues Kennwort"));
    lPass_nb->setText(QCoreApplication::translate("anwender_passwort", "neues Kennwort bestätigen"));
    lModus->setText(QCoreApplication::translate("anwender_passwort", "Modus"));
    bNNOk->setText(QCoreApplication::translate("anwender_passwort", "&Ok"));
    bNNOk->setShortcut(QKeySequence(QStringLiteral("Alt+O")));
    bNNCancel->setText(QCoreApplication::translate("anwender_passwort", "&Abbrechen"));
    bNNCancel->setShortcut(QKeySequence(QStringLiteral("Alt+A")));
}

void Canwender_passwort::languageChange() {}

void Canwender_passwort::comboUser_slot(const QString&)
{
    fuelle_sparten_combo(comboModus);
}

void fuelle_sparten_combo(CComboBox* combo)
{
    combo->clear();
    const unsigned modus = gib_iq_modus();
    bool gewaehlt = false;
    for (const auto& sparte : gib_sparten_liste()) {
        combo->fuegeEin(gib_spartenname(sparte.first), -1);
        if (static_cast<unsigned>(sparte.first) == modus) {
            combo->setzeText(gib_spartenname(sparte.first));
            gewaehlt = true;
        }
    }
    // A combo box makes its first item current by itself; without a current area none is.
    if (!gewaehlt)
        combo->setCurrentIndex(-1);
}
