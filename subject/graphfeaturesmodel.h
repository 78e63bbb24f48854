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
// computed so far. Columns: Type (the group), Name, Description, a column for
// the "compute" button, and Result (the "inspect" button, or the number of a
// scalar measure).
class GraphFeaturesModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit GraphFeaturesModel(QObject* parent = nullptr);

    // With name, description and id all empty, appends a heading row for the
    // group; otherwise a row for the measure. Returns the new row's index.
    int addFeature(const QString& group, const QString& name, const QString& description,
                   const QString& id, bool scalar);
    // The key a measure's result is stored under; the number of measures
    // for an unknown id.
    int featureKey(const QString& id) const;
    void setResult(int key, const QVariant& value);
    QVariant result(int key);
    void setUsesConditions(bool usesConditions);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant headingData(int row, int column, int role) const;
    QVariant measureData(const GraphFeature& feature, int column, int role) const;

    QMap<QString, GraphFeature> m_measures;
    QList<int> m_groupRows;
    QMap<int, QVariant> m_results;
    QStringList m_rowKeys;
    QStringList m_headers;
    bool m_usesConditions = false;
};
