// Aids for work without a mouse, without sight or on a high-DPI screen: tool buttons reached by Tab, menus opened by keys, icon-only controls named, texts given room.
#pragma once

class QString;
class QTabWidget;
class QToolBar;
class QToolButton;
class QWidget;

// Alt+Down, Down, F4 and the menu key open the button's menu while the button has the focus (as
// they open a combo box's list); every other key, Space and Return among them, keeps its meaning.
// A button without a menu, or a disabled one, is left alone.
void oeffne_menue_per_taste(QToolButton* knopf);

// Every button of the tool bar's actions takes the focus by Tab (Qt's tool bars leave them out of
// the Tab chain) and opens its menu by the keys above; one whose action has no text, only an icon,
// is named by the action's tool tip, also when that changes. Call it once the bar holds its actions.
void mache_tastbar(QToolBar* leiste);

// The control's tool tip, and the same words as its name for a screen reader: a control that shows
// only an icon is otherwise announced without a name.
void setze_tipp_und_namen(QWidget* element, const QString& tipp);

// Widens the widget's minimum size, and a maximum below it, to what its content needs at its
// font: a size given in pixels at 96 dpi may leave a text cut at another font, font resolution or
// language. A size that is already large enough stays. Call it once the texts are set.
void gib_platz_fuer_text(QWidget* element);

// Ctrl+Tab and Ctrl+Shift+Tab take the focus out of `ansicht` (a web page that keeps Tab for its
// links) to the next or previous control in one step, as Tab would from a plain field: on its own
// page where the view sits on a page of a tab widget with other controls. A view that is itself a
// page of a tab widget of more than one page turns the pages. Every multi-line field (QTextEdit,
// QPlainTextEdit and what derives from them: a text, a report, a statement) of every window does
// so by itself, through a filter the library gives every application; through the same filter a
// combo box that cannot be typed into hands both keys on to the tab widget around it.
void verlasse_per_strg_tab(QWidget* ansicht);

// Ctrl+PgDown and Ctrl+PgUp turn the pages of `reiter` wherever the focus is inside it, a
// multi-line field included, the innermost tab widget first where one lies inside another. With
// them and with Ctrl+Tab and Ctrl+Shift+Tab, a tab widget on a page of another turns the outer one
// from its last page (its first, backwards), and opens at its first (last) page when the outer
// turns to it: the keys pass every page of both, each once.
void blaettere_per_strg_bild(QTabWidget* reiter);

// Moves the controls inside `teil` (a box of buttons below the pages, say) to the end of its
// window's Tab chain, keeping their order among themselves: Tab reaches them after everything above.
void ans_ende_der_tabfolge(QWidget* teil);

// Moves the controls inside `teil` right behind `stelle` (any widget of the same window, one that
// takes no focus too) in the window's Tab chain, keeping their order among themselves: a part
// built anew takes the place of the one it replaces. A part that hands the focus on to a control
// inside it (Qt's button box) no longer does: from its old place it would take Tab there.
void reihe_in_tabfolge_ein(QWidget* teil, QWidget* stelle);
