// The list model of the downloads window: one row per download widget of the manager.
#pragma once

#include <QAbstractListModel>

class DownloadManager;

class DownloadModel : public QAbstractListModel
{
    Q_OBJECT
    friend class DownloadManager;

public:
    explicit DownloadModel(DownloadManager* downloadManager, QObject* parent = nullptr);

    // The tool tip of a running row repeats its progress text.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // Removes only the finished rows of the range (completed, stopped, restored); running ones stay.
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

private:
    DownloadManager* m_downloadManager;
};
