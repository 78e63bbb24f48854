#pragma once

#include "study/subjectsource.h"

#include <QDialog>

class CircularPlot;
class CircularPlotWidget;
class ViewMatrix;

namespace Ui {
class ConnectivityObjectUI;
}

// A subject's analysis window: the hub from which its matrix viewer, circular
// plot and graph measures are opened.
class ConnectivityObjectUI : public QDialog, public SubjectSource {
    Q_OBJECT

public:
    ConnectivityObjectUI(ConnectivityObject* subject, QWidget* parent = nullptr);
    ~ConnectivityObjectUI() override;

    ConnectivityObject* getConnectivityObject() const override { return m_subject; }

private slots:
    void prepareNodesTable();
    void prepareGraphFeatures();
    void inspectGraphFeature(bool state);
    void computeGraphFeature(bool state);
    void graphfeatures_useFilteredMatrix(bool state);
    void plotConnectivityMatrix(bool state);
    void plotCircular(bool state);
    void circularPlot_disableOptions();
    void circularPlot_displayRangeChanged(int l, int u);
    void circularPlot_toggleLabels(bool state);
    void circularPlot_setNodesSize(int value);
    void circularPlot_toggleUseWeights(bool state);
    void circularPlot_thicknessMultiplierChanged(double value);
    void circularPlot_setFixedThickness(double value);
    void circularPlot_toggleColorizeEdges(bool state);

private:
    // The open circular plot's chart, or null while no plot window exists.
    CircularPlotWidget* circularPlotWidget() const;

    Ui::ConnectivityObjectUI* ui;
    ConnectivityObject* m_subject;
    CircularPlot* m_circularPlot = nullptr;
    ViewMatrix* m_viewMatrix = nullptr;
};
