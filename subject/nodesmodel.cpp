#include "subject/nodesmodel.h"

NodesModel::NodesModel(QObject* parent)
    : QAbstractTableModel(parent)
    , m_headers{tr("Node"), tr("Inclusion")}
{
}

void NodesModel::setNodes(const QStringList& names)
{
    beginResetModel();
    m_nodeNames = names;
    endResetModel();
}

int NodesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nodeNames.size();
}

int NodesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant NodesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if ((role == Qt::DisplayRole || role == Qt::EditRole) && index.column() == 0 && index.row() < m_nodeNames.size())
        return m_nodeNames[index.row()];
    if (role == Qt::TextAlignmentRole && index.column() == 1)
        return int(Qt::AlignHCenter);
    return {};
}

QVariant NodesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_headers.size())
        return {};
    return m_headers[section];
}

Qt::ItemFlags NodesModel::flags(const QModelIndex& index) const
{
    // The root is no cell: like every Qt model it has no flags, so item-model
    // checkers and drop handling see a plain table.
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() == 0)
        return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
    return QAbstractTableModel::flags(index);
}

bool NodesModel::setData(const QModelIndex&, const QVariant&, int)
{
    return true;
}
