#include "subject/nodesmodel.h"

NodesModel::NodesModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void NodesModel::setNodes(const QStringList&)
{
}

int NodesModel::rowCount(const QModelIndex&) const
{
    return 0;
}

int NodesModel::columnCount(const QModelIndex&) const
{
    return 0;
}

QVariant NodesModel::data(const QModelIndex&, int) const
{
    return {};
}

QVariant NodesModel::headerData(int, Qt::Orientation, int) const
{
    return {};
}

Qt::ItemFlags NodesModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index);
}

bool NodesModel::setData(const QModelIndex&, const QVariant&, int)
{
    return true;
}
