#pragma once

#include "study/studymanifest.h"

#include <QDialog>
#include <QStringList>

#include <vector>

// Browses a subject's connectivity matrices as a grid of coloured cells, with
// the conditions on the left, an overview picture and a colour legend. Its Qt
// parent is the subject's dialog, through which it reaches the subject.
class ViewMatrix : public QDialog {
    Q_OBJECT

public:
    explicit ViewMatrix(QWidget* parent = nullptr);
    ~ViewMatrix() override;

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
};
