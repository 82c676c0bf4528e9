// A list view that remembers the last item pressed.
#pragma once

#include <QListView>
#include <QModelIndex>

class CQListView : public QListView
{
    Q_OBJECT
public:
    explicit CQListView(QWidget* eltern = nullptr);

    // The last valid index reported by `pressed`; invalid before the first.
    const QModelIndex& gedrueckter_index() const { return gedrueckt; }

public slots:
    // An invalid index leaves the remembered one.
    void PitemPressed(const QModelIndex& index);

private:
    QModelIndex gedrueckt;
};
