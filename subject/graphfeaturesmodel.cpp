#include "subject/graphfeaturesmodel.h"

GraphFeaturesModel::GraphFeaturesModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int GraphFeaturesModel::addFeature(const QString&, const QString&, const QString&, const QString&, bool)
{
    return 0;
}

int GraphFeaturesModel::featureKey(const QString&) const
{
    return 0;
}

void GraphFeaturesModel::setResult(int, const QVariant&)
{
}

QVariant GraphFeaturesModel::result(int)
{
    return {};
}

void GraphFeaturesModel::setUsesConditions(bool)
{
}

int GraphFeaturesModel::rowCount(const QModelIndex&) const
{
    return 0;
}

int GraphFeaturesModel::columnCount(const QModelIndex&) const
{
    return 0;
}

QVariant GraphFeaturesModel::data(const QModelIndex&, int) const
{
    return {};
}

QVariant GraphFeaturesModel::headerData(int, Qt::Orientation, int) const
{
    return {};
}
