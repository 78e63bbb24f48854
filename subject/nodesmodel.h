#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// The Nodes tab's table: one row per node with its name and an inclusion box
// (a check-box widget the view places in column 1).
class NodesModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit NodesModel(QObject* parent = nullptr);

    void setNodes(const QStringList& names);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Accepts every edit and keeps nothing: the names are the subject's.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    QStringList m_nodeNames;
    QStringList m_headers;
};
