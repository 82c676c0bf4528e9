// The bookmarks manager (placeholder until it is built: a plain object with its name).
#pragma once

#include <QObject>

class BookmarksManager : public QObject
{
    Q_OBJECT
public:
    explicit BookmarksManager(QObject* parent = nullptr) : QObject(parent) {}
};
