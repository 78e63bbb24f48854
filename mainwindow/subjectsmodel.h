#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <string>

// The subjects table: one row per listed subject, its study ID in column 0.
// Column 1 stays empty for the row's "View" button. Changes are announced
// with layoutChanged() alone.
class SubjectsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit SubjectsModel(QObject* parent = nullptr);

    // Appends a row and returns the new number of rows.
    int addSubject(const std::string& id);
    // Removes the row if it exists; layoutChanged() is emitted either way.
    void removeSubject(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_headerLabels;
    QStringList m_studyIds;
};
