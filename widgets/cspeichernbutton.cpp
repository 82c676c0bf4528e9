#include "cspeichernbutton.h"
#include "bilder.h"
#include "caction.h"
#include "bedienhilfe.h"

#include <QBoxLayout>
#include <QMenu>

CSpeichernButton::CSpeichernButton(QBoxLayout* layout, QWidget* platzhalter, bool text, bool html, bool pdf,
                                   int vorgabe)
    : QToolButton(nullptr)
{
    int breite = 0;
    int hoehe = 0;
    if (platzhalter) {
        breite = platzhalter->width();
        hoehe = platzhalter->height();
        if (layout)
            layout->removeWidget(platzhalter);
        platzhalter->hide();
    }

    auto* menue = new QMenu(this);
    if (text)
        text_aktion = neue_aktion(tr("Speichern als Text"), tr("Speichern unter... als Text"), menue);
    if (html)
        html_aktion = neue_aktion(tr("Speichern als HTML"), tr("Speichern unter... als HTML"), menue);
    if (pdf) {
        pdf_aktion = neue_aktion(tr("Speichern als PDF"), tr("Speichern unter... als PDF"), menue);
        // Not part of the image resource: the PDF icon is looked for on disk.
        pdf_aktion->setIcon(gib_qicon(CQString("exportpdf"), true));
    }

    setToolButtonStyle(Qt::ToolButtonIconOnly);
    const bool mit_menue = text_aktion || html_aktion || pdf_aktion;
    const QString hinweis = tr("Speichert den Fensterinhalt in eine Datei");
    if (mit_menue) {
        breite += 5; // room for the drop-down arrow
        setMenu(menue);
        CAction* vorgabe_aktion = nullptr;
        switch (vorgabe) {
        case 1: vorgabe_aktion = text_aktion; break;
        case 2: vorgabe_aktion = html_aktion; break;
        case 3: vorgabe_aktion = pdf_aktion; break;
        default: break;
        }
        if (vorgabe_aktion)
            setDefaultAction(vorgabe_aktion);
        else
            setAccessibleName(hinweis); // a default action lends its text; else only the icon shows
        setPopupMode(QToolButton::MenuButtonPopup);
        // Space keeps the default action; the menu opens by the keys of a drop-down.
        oeffne_menue_per_taste(this);
    } else {
        setze_tipp_und_namen(this, hinweis);
    }

    setIcon(gib_icon_filesaveas());
    setMinimumSize(breite, hoehe + 1);

    if (layout)
        layout->addWidget(this, 0, Qt::Alignment());

    // With a menu a click on the main part triggers the default action (if any), which the
    // button reports like a menu choice.
    if (mit_menue)
        connect(this, &QToolButton::triggered, this, &CSpeichernButton::SlotActionEvent);
    else
        connect(this, &QToolButton::clicked, this, &CSpeichernButton::SlotButton);
}

CSpeichernButton::~CSpeichernButton() = default;

CAction* CSpeichernButton::neue_aktion(const QString& text, const QString& hilfe, QMenu* menue)
{
    auto* aktion = new CAction(this);
    aktion->setText(text);
    aktion->setStatusTip(hilfe);
    aktion->setWhatsThis(hilfe);
    menue->addAction(aktion);
    return aktion;
}

void CSpeichernButton::SlotActionEvent(QAction* action)
{
    int typ = -1;
    if (action && action == text_aktion)
        typ = 0;
    else if (action && action == html_aktion)
        typ = 1;
    else if (action && action == pdf_aktion)
        typ = 2;
    emit signalActionEvent(typ);
}

void CSpeichernButton::SlotButton() { emit signalActionEvent(-1); }
