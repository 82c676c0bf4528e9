#include "ccombobox.h"
#include "widgeteinstellungen.h"

#include <QAbstractItemView>
#include <QIcon>
#include <QKeyEvent>
#include <QWheelEvent>

CComboBox::CComboBox(QWidget* eltern, const CQString& name) : QComboBox(eltern)
{
    setObjectName(name);
    // QComboBox's own policy (wheel focus) lets the first wheel turn focus the box before the
    // turn arrives, which would make the focus rule of mode 1 meaningless.
    setFocusPolicy(Qt::StrongFocus);
    view()->installEventFilter(this);
    // Return is the box's own (`closeCombo`) also where it is typed into the edit of an editable
    // box: Qt would take the text typed there as a new item and report it as chosen, a group
    // name not yet stored as a group of the list.
    setInsertPolicy(QComboBox::NoInsert);
}

CComboBox::CComboBox(bool editierbar, QWidget* eltern, const CQString& name) : CComboBox(eltern, name)
{
    setEditable(editierbar);
}

bool CComboBox::nimm_eingabetaste(QEvent* e)
{
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride)
        return false;
    const int taste = static_cast<QKeyEvent*>(e)->key();
    if (taste != Qt::Key_Return && taste != Qt::Key_Enter)
        return false;
    e->accept();
    return true;
}

bool CComboBox::event(QEvent* e)
{
    if (nimm_eingabetaste(e)) {
        if (e->type() == QEvent::KeyPress)
            emit closeCombo();
        return true;
    }
    return QComboBox::event(e);
}

bool CComboBox::eventFilter(QObject* objekt, QEvent* e)
{
    if (objekt == view() && nimm_eingabetaste(e)) {
        // The list closes without taking its highlighted item, as Return on the closed box
        // changes nothing either.
        if (e->type() == QEvent::KeyPress) {
            hidePopup();
            emit closeCombo();
        }
        return true;
    }
    return QComboBox::eventFilter(objekt, e);
}

void CComboBox::wheelEvent(QWheelEvent* e)
{
    const unsigned modus = mausradmodus >= 0 ? unsigned(mausradmodus)
                                             : gib_widget_einstellungen().mausrad_in_combobox.gib_wert();
    if (modus == 2 || (modus != 3 && hasFocus()))
        QComboBox::wheelEvent(e);
    else
        e->ignore();
}

void CComboBox::fuegeEin(const QString& text, int index)
{
    insertItem(index == -1 ? count() : index, QIcon(), text, QVariant());
}

void CComboBox::setzeText(const CQString& text)
{
    const int gefunden = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (gefunden >= 0)
        setCurrentIndex(gefunden);
    else if (isEditable())
        setEditText(text);
    else if (currentIndex() >= 0)
        setItemText(currentIndex(), text);
}
