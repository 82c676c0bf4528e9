// The common ground of the history's proxy models: following the signals of their source model.
#pragma once

#include <QAbstractProxyModel>

class HistoryProxyModel : public QAbstractProxyModel
{
    Q_OBJECT

public:
    using QAbstractProxyModel::QAbstractProxyModel;

    // Inside one reset: stops following the old source and follows the new one.
    void setSourceModel(QAbstractItemModel* sourceModel) final;

protected:
    // Connects the current source's signals (when there is one) and takes in its rows.
    virtual void folgeQuelle() = 0;
};
