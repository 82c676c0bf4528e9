// Completion texts of the history: for each address the address itself and its short form.
#pragma once

#include "historyproxymodel.h"

// The source is the filter model. Row 2n is the address of the filter's row n as stored, row
// 2n + 1 the same without scheme, user information and trailing slash, so that typing the host
// finds it too.
class HistoryCompletionModel : public HistoryProxyModel
{
    Q_OBJECT

public:
    explicit HistoryCompletionModel(QObject* parent = nullptr);

    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    void folgeQuelle() override;

private slots:
    void sourceReset();
};
