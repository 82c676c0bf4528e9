// The "save" tool button of a log window: takes a placeholder's place and reports the chosen format as a number.
#pragma once

#include <QToolButton>

class CAction;
class QAction;
class QBoxLayout;

// With at least one of the formats text, HTML and PDF the button carries a drop-down menu of
// them; without any it is a plain button. `signalActionEvent` reports 0 text, 1 HTML, 2 PDF and
// -1 for a save without a chosen format.
class CSpeichernButton : public QToolButton
{
    Q_OBJECT
public:
    // `platzhalter` (may be null) lends its size, is taken out of `layout` (may be null) and
    // hidden, but stays its parent's child. `vorgabe` picks the default action counting from 1
    // (1 text, 2 HTML, 3 PDF), unlike the signal's numbers; an absent format sets none.
    CSpeichernButton(QBoxLayout* layout, QWidget* platzhalter, bool text, bool html, bool pdf, int vorgabe);
    ~CSpeichernButton() override;

signals:
    void signalActionEvent(int atyp);

protected slots:
    void SlotActionEvent(QAction* action);
    void SlotButton();

private:
    CAction* neue_aktion(const QString& text, const QString& hilfe, QMenu* menue);

    CAction* text_aktion = nullptr;
    CAction* html_aktion = nullptr;
    CAction* pdf_aktion = nullptr;
};
