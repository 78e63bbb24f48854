#include "mainwindow/subjectsmodel.h"

SubjectsModel::SubjectsModel(QObject* parent)
    : QAbstractTableModel(parent)
    , m_headerLabels{tr("Study ID"), QString()}
{
}

int SubjectsModel::addSubject(const std::string& id)
{
    m_studyIds.append(QString::fromStdString(id));
    emit layoutChanged();
    return m_studyIds.size();
}

void SubjectsModel::removeSubject(int row)
{
    if (row >= 0 && row < m_studyIds.size())
        m_studyIds.removeAt(row);
    emit layoutChanged();
}

// A table has no children: a valid parent has no rows and no columns.
int SubjectsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_studyIds.size();
}

int SubjectsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_headerLabels.size();
}

QVariant SubjectsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || index.column() != 0)
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return m_studyIds.at(index.row());
}

QVariant SubjectsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_headerLabels.size())
        return {};
    return m_headerLabels.at(section);
}
