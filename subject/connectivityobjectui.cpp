#include "subject/connectivityobjectui.h"

#include "circularplot/circularplot.h"
#include "plots/viewmatrix.h"
#include "ui_connectivityobjectui.h"

ConnectivityObjectUI::ConnectivityObjectUI(ConnectivityObject* subject, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::ConnectivityObjectUI)
    , m_subject(subject)
{
    ui->setupUi(this);
    prepareGraphFeatures();
}

ConnectivityObjectUI::~ConnectivityObjectUI()
{
    delete ui;
}

void ConnectivityObjectUI::graphfeatures_useFilteredMatrix(bool)
{
}

void ConnectivityObjectUI::plotConnectivityMatrix(bool)
{
}

void ConnectivityObjectUI::plotCircular(bool)
{
}

void ConnectivityObjectUI::circularPlot_disableOptions()
{
}

void ConnectivityObjectUI::circularPlot_displayRangeChanged(int, int)
{
}

void ConnectivityObjectUI::circularPlot_toggleLabels(bool)
{
}

void ConnectivityObjectUI::circularPlot_setNodesSize(int)
{
}

void ConnectivityObjectUI::circularPlot_toggleUseWeights(bool)
{
}

void ConnectivityObjectUI::circularPlot_thicknessMultiplierChanged(double)
{
}

void ConnectivityObjectUI::circularPlot_setFixedThickness(double)
{
}

void ConnectivityObjectUI::circularPlot_toggleColorizeEdges(bool)
{
}

// The graph-features tab: the measure table, computing and inspecting.

void ConnectivityObjectUI::prepareNodesTable()
{
}

void ConnectivityObjectUI::prepareGraphFeatures()
{
}

void ConnectivityObjectUI::inspectGraphFeature(bool)
{
}

void ConnectivityObjectUI::computeGraphFeature(bool)
{
}
