// The history store (placeholder until it is built: a plain object with its name).
#pragma once

#include <QObject>

class HistoryManager : public QObject
{
    Q_OBJECT
public:
    explicit HistoryManager(QObject* parent = nullptr) : QObject(parent) {}
};
