#include "subject/graphfeaturesmodel.h"

#include <QFont>

GraphFeaturesModel::GraphFeaturesModel(QObject* parent)
    : QAbstractTableModel(parent)
    , m_headers{tr("Type"), tr("Name"), tr("Description"), QString(), tr("Result")}
{
}

int GraphFeaturesModel::addFeature(const QString& group, const QString& name, const QString& description,
                                   const QString& id, bool scalar)
{
    const int row = m_rowKeys.size();
    beginInsertRows(QModelIndex(), row, row);
    if (name.isEmpty() && description.isEmpty() && id.isEmpty()) {
        m_rowKeys.append(group);
        m_groupRows.append(row);
    } else {
        m_measures.insert(id, GraphFeature{group, name, description, id, scalar});
        m_rowKeys.append(id);
    }
    endInsertRows();
    emit layoutAboutToBeChanged();
    emit layoutChanged();
    return row;
}

int GraphFeaturesModel::featureKey(const QString& id) const
{
    int key = 0;
    for (auto it = m_measures.cbegin(); it != m_measures.cend(); ++it, ++key)
        if (it.key() == id)
            return key;
    return key;
}

void GraphFeaturesModel::setResult(int key, const QVariant& value)
{
    emit layoutAboutToBeChanged();
    m_results.insert(key, value);
    emit layoutChanged();
}

QVariant GraphFeaturesModel::result(int key)
{
    return m_results[key];
}

void GraphFeaturesModel::setUsesConditions(bool usesConditions)
{
    m_usesConditions = usesConditions;
}

int GraphFeaturesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowKeys.size();
}

int GraphFeaturesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 5;
}

QVariant GraphFeaturesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rowKeys.size())
        return {};
    if (m_groupRows.contains(index.row()))
        return headingData(index.row(), index.column(), role);
    const auto measure = m_measures.constFind(m_rowKeys[index.row()]);
    if (measure == m_measures.cend())
        return {};
    return measureData(*measure, index.column(), role);
}

QVariant GraphFeaturesModel::headingData(int row, int column, int role) const
{
    if (column != 1)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case Qt::WhatsThisRole:
        return m_rowKeys[row];
    case Qt::FontRole: {
        QFont font;
        font.setWeight(75);
        return font;
    }
    default:
        return {};
    }
}

QVariant GraphFeaturesModel::measureData(const GraphFeature& feature, int column, int role) const
{
    if (role == Qt::ToolTipRole || role == Qt::WhatsThisRole)
        return column == 2 ? QVariant(feature.description) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    switch (column) {
    case 0:
        return feature.group;
    case 1:
        return feature.name;
    case 2:
        return feature.description;
    case 4: {
        if (feature.group.isEmpty() || feature.name.isEmpty() || feature.id.isEmpty() || m_usesConditions
            || !feature.scalar)
            return {};
        // Only a single-matrix subject has one number to show; several
        // matrices give a series, which is inspected as a plot instead.
        const QVariant stored = m_results.value(featureKey(feature.id));
        if (!stored.isValid())
            return 0.0f;
        return stored.userType() == QMetaType::Float ? stored : QVariant();
    }
    default:
        return {};
    }
}

QVariant GraphFeaturesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_headers.size())
        return {};
    return m_headers[section];
}
