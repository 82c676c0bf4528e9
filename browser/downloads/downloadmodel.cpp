#include "downloadmodel.h"
#include "autosaver.h"
#include "downloadmanager.h"
#include "downloadwidget.h"
#include "squeezelabel.h"

DownloadModel::DownloadModel(DownloadManager* downloadManager, QObject* parent)
    : QAbstractListModel(parent), m_downloadManager(downloadManager)
{
}

QVariant DownloadModel::data(const QModelIndex& index, int role) const
{
    if (index.row() < 0 || index.row() >= rowCount(index.parent()))
        return QVariant();
    if (role == Qt::ToolTipRole) {
        const DownloadWidget* widget = m_downloadManager->downloads.at(index.row());
        if (!widget->succeeded())
            return widget->downloadInfoLabel->text();
    }
    return QVariant();
}

int DownloadModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_downloadManager->downloads.count();
}

bool DownloadModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid())
        return false;
    QList<DownloadWidget*>& downloads = m_downloadManager->downloads;
    const int lastRow = std::min(row + count - 1, int(downloads.count()) - 1);
    for (int i = lastRow; i >= std::max(row, 0); --i) {
        if (downloads.at(i)->succeeded()) {
            beginRemoveRows(parent, i, i);
            downloads.takeAt(i)->deleteLater();
            endRemoveRows();
        }
    }
    m_downloadManager->m_autoSaver->changeOccurred();
    m_downloadManager->updateItemCount();
    return true;
}
