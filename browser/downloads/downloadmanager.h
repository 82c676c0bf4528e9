// The download manager (placeholder until it is built: a plain object with its name).
#pragma once

#include <QObject>

class DownloadManager : public QObject
{
    Q_OBJECT
public:
    explicit DownloadManager(QObject* parent = nullptr) : QObject(parent) {}
};
