// Menus and the menu bar whose entries carry the ids of CQAction and show an entry's tool tip.
#pragma once

#include <QMenu>
#include <QMenuBar>

class CQAction;

class CQMenu : public QMenu
{
    Q_OBJECT
public:
    explicit CQMenu(QWidget* eltern = nullptr);
    // Empties its sub-menus first (depth first), then itself.
    ~CQMenu() override;

    // The entry that stands for this menu in a parent menu or menu bar; it carries this menu.
    CQAction* gib_aktion() const { return aktion; }

    // A separator with a new id, appended for -1 or any index not below the number of entries
    // (or any other negative index), else inserted before the entry at `index`. Returns its id.
    int insertSeparator(int index);

    bool event(QEvent* e) override;

signals:
    void cactivated(int id);
    void cactivated();

public slots:
    // Emits cactivated with the flag (0 or 1).
    void SlotTriggered(bool checked);

private:
    // Empties the sub-menus that are CQMenus, then this menu's own entries.
    void leere();

    CQAction* aktion;
};

class CQMenuBar : public QMenuBar
{
    Q_OBJECT
public:
    explicit CQMenuBar(QWidget* eltern = nullptr) : QMenuBar(eltern) {}

    bool event(QEvent* e) override;
};
