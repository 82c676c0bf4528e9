// The framework's drop-down list: the mouse wheel acts only as a setting allows, and Return closes it with a signal of its own.
#pragma once

#include "cqstring.h"

#include <QComboBox>

class QWheelEvent;

// Wheel modes, taken from "/Privat/Mausrad_in_Combobox" at every wheel turn while the box's own
// mode is negative: 2 the wheel always changes the item, 3 never; 1 and every other value only
// while the box has the keyboard focus. A turn the box does not take is ignored and goes on to
// the parent, so that scrolling a form does not change its values by accident.
// Return and Enter, on the closed box and in its open list, emit `closeCombo()` and are consumed:
// nothing is selected or opened by them.
class CComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CComboBox(QWidget* eltern = nullptr, const CQString& name = CQString());
    CComboBox(bool editierbar, QWidget* eltern, const CQString& name = CQString());

    bool event(QEvent* e) override;

    // Inserts the text at the index; -1 appends.
    void fuegeEin(const QString& text, int index);
    // Selects the first item with exactly this text (case-sensitive); without one an editable box
    // shows the text in its edit field, any other box renames its current item (none: nothing).
    void setzeText(const CQString& text);

signals:
    void closeCombo();

protected:
    void wheelEvent(QWheelEvent* e) override;
    // Return in the open list reaches the list view, not the box.
    bool eventFilter(QObject* objekt, QEvent* e) override;

private:
    // True for Return and Enter, as a key press or as the shortcut request before it; the
    // request is accepted, so that the key press follows instead of a shortcut, and QComboBox
    // (whose list takes its highlighted item already at the request) sees neither.
    static bool nimm_eingabetaste(QEvent* e);

    // Negative: the setting decides.
    int mausradmodus = -1;
};
