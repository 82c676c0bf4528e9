// A menu filled from an item model on every opening: rows become actions, rows with children sub-menus.
#pragma once

#include <QMenu>
#include <QPersistentModelIndex>
#include <QPointer>

class QAbstractItemModel;

// The top menu is cleared and rebuilt whenever it opens; a sub-menu is filled once, on its
// first opening. Every action made here carries its row's model index in its data.
class ModelMenu : public QMenu
{
    Q_OBJECT
signals:
    void activated(const QModelIndex& index);
    void hovered(const QString& text);

public:
    explicit ModelMenu(QWidget* parent = nullptr);

    void setFirstSeparator(int offset) { m_firstSeparator = offset; }
    int firstSeparator() const { return m_firstSeparator; }
    void setModel(QAbstractItemModel* model) { m_model = model; }
    QAbstractItemModel* model() const { return m_model; }
    void setMaxRows(int max) { m_maxRows = max; }
    int maxRows() const { return m_maxRows; }
    void setRootIndex(const QModelIndex& index) { m_root = index; }
    QModelIndex rootIndex() const { return m_root; }
    void setHoverRole(int role) { m_hoverRole = role; }
    int hoverRole() const { return m_hoverRole; }
    void setSeparatorRole(int role) { m_separatorRole = role; }
    int separatorRole() const { return m_separatorRole; }

    // An action for the row, its text elided in the middle to the menu's text width.
    QAction* makeAction(const QModelIndex& index);

protected:
    // Before the model's rows on each opening; true asks for a separator ahead of them.
    virtual bool prePopulated();
    virtual void postPopulated();
    // Fills `menu` with the rows under `parent` (at most `max` of them; -1: all). Without a menu,
    // a sub-menu for `parent` is added to `parentMenu`, to be filled when it first opens.
    void createMenu(const QModelIndex& parent, int max, QMenu* parentMenu = nullptr, QMenu* menu = nullptr);

private slots:
    void aboutToShow();
    void triggered(QAction* action);
    void hovered(QAction* action);

private:
    QAction* makeAction(const QIcon& icon, const QString& text, QObject* parent);

    int m_maxRows = 7;
    int m_firstSeparator = -1;
    int m_maxWidth = -1;
    int m_hoverRole = 0;
    int m_separatorRole = 0;
    QAbstractItemModel* m_model = nullptr;
    QPersistentModelIndex m_root;
    QList<QPointer<QMenu>> m_subMenus;
};
