// Sort and filter proxy of the history and bookmarks dialogs: sorted by visit time, filtered without regard to case.
#pragma once

#include <QSortFilterProxyModel>

class TreeProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit TreeProxyModel(QObject* parent = nullptr);
};
