#pragma once

#include <QAbstractTableModel>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

// One graph-theoretic measure of the graph-features table.
struct GraphFeature {
    QString group;
    QString name;
    QString description;
    QString id;
    bool scalar = false;
};

// The graph-features table: measures under group headings, and the results
// computed so far.
class GraphFeaturesModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit GraphFeaturesModel(QObject* parent = nullptr);

    int addFeature(const QString& group, const QString& name, const QString& description,
                   const QString& id, bool scalar);
    int featureKey(const QString& id) const;
    void setResult(int key, const QVariant& value);
    QVariant result(int key);
    void setUsesConditions(bool usesConditions);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
};
