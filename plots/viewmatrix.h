#pragma once

#include "study/studymanifest.h"

#include <Eigen/Dense>
#include <QDialog>
#include <QList>
#include <QStringList>

#include <vector>

class ConnectivityObject;
class QGraphicsScene;
struct MatrixCellInfo;

namespace Ui {
class ViewMatrix;
}

// Browses a subject's connectivity matrices as a grid of coloured cells, with
// the conditions on the left, an overview picture and a colour legend. Its Qt
// parent is the subject's dialog, through which it reaches the subject.
class ViewMatrix : public QDialog {
    Q_OBJECT

public:
    explicit ViewMatrix(QWidget* parent = nullptr);
    ~ViewMatrix() override;

    // The subject's dialog calls these once, in this order, before showing
    // the viewer for the first time.
    void setConditions(const std::vector<OrderedCondition>& conditions);
    void createConditionsPanel();
    void loadMatrices();
    void setLabels(const QStringList& labels);
    void fillTable();
    void colorCells();
    void drawOverview();
    void createLegend();

public slots:
    void browseMatrix();
    void pickValue(int x, int y);
    void clearPickValue();

private:
    ConnectivityObject* subject() const;
    void clearTable();

    Ui::ViewMatrix* ui;
    std::vector<std::vector<MatrixCellInfo*>> cells;
    Eigen::MatrixXf matrix;
    double minValue = 0.0;
    double maxValue = 0.0;
    QStringList labels;
    QStringList conditionNames;
    QList<int> conditionTs;
    std::vector<OrderedCondition> conditions;
    QGraphicsScene* m_scene = nullptr;
};
