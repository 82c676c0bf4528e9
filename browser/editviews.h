// Tree and table views whose Delete and Backspace keys remove the current entry.
#pragma once

#include <QTableView>
#include <QTreeView>

// By default the tree view removes through the history store: the current row's address
// (role 260) loses every visit, `removeAll` clears the history. A view over another model
// (the bookmarks) switches to removing its selected rows through the model instead.
class EditTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit EditTreeView(QWidget* parent = nullptr);
    void keyPressEvent(QKeyEvent* event) override;

    // true: `removeOne` removes the selected rows (or the current one) through the model.
    void setzeEntferntZeilen(bool an) { entferntZeilen = an; }

public slots:
    void removeOne();
    void removeAll();

private:
    bool entferntZeilen = false;
};

class EditTableView : public QTableView
{
    Q_OBJECT
public:
    explicit EditTableView(QWidget* parent = nullptr);
    void keyPressEvent(QKeyEvent* event) override;

public slots:
    void removeOne();
    void removeAll();
};
