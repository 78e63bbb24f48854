#include "subject/connectivityobjectui.h"

#include "circularplot/circularplot.h"
#include "circularplot/circularplotwidget.h"
#include "plots/viewmatrix.h"
#include "study/connectivityobject.h"
#include "ui_connectivityobjectui.h"

#include <QDebug>

namespace {

// The span slider works in thousandths of the display range 0.0 ... 1.0.
constexpr int SpanSteps = 1000;

} // namespace

ConnectivityObjectUI::ConnectivityObjectUI(ConnectivityObject* subject, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::ConnectivityObjectUI)
    , m_subject(subject)
{
    ui->setupUi(this);
    connect(ui->pb_PlotConnMtx, &QPushButton::clicked, this, &ConnectivityObjectUI::plotConnectivityMatrix);
    connect(ui->pb_CircularPlotConnMtx, &QPushButton::clicked, this, &ConnectivityObjectUI::plotCircular);
    connect(ui->ckBox_UseFilteredMatrix, &QCheckBox::toggled, this,
            &ConnectivityObjectUI::graphfeatures_useFilteredMatrix);
    connect(ui->pb_Close, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->chkBox_CircPlot_ConnColors, &QCheckBox::toggled, this,
            &ConnectivityObjectUI::circularPlot_toggleColorizeEdges);
    connect(ui->chkBox_CircPlot_ShowLabels, &QCheckBox::toggled, this, &ConnectivityObjectUI::circularPlot_toggleLabels);
    connect(ui->chkBox_CircPlot_ConnWeights, &QCheckBox::toggled, this,
            &ConnectivityObjectUI::circularPlot_toggleUseWeights);
    connect(ui->sBox_CircPlot_ThicknessMultiplier, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            &ConnectivityObjectUI::circularPlot_thicknessMultiplierChanged);
    connect(ui->sBox_CircPlot_NodesSize, qOverload<int>(&QSpinBox::valueChanged), this,
            &ConnectivityObjectUI::circularPlot_setNodesSize);
    connect(ui->dsBox_CircPlot_EdgesThickness, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            &ConnectivityObjectUI::circularPlot_setFixedThickness);
    ui->tabWidget->setCurrentIndex(0);

    prepareGraphFeatures();

    // The nodes and filter pages have no behaviour; only their pages are
    // switched off, so the tab headers still show what they hold.
    ui->tab_Filter->setEnabled(false);
    ui->tab_Nodes->setEnabled(false);

    ui->widget_CircPlot_Spanner->setRange(0, SpanSteps);
    ui->widget_CircPlot_Spanner->setSpan(0, SpanSteps);
    ui->widget_CircPlot_Spanner->setOrientation(Qt::Horizontal);
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
    qDebug() << Q_FUNC_INFO;

    if (m_viewMatrix) {
        m_viewMatrix->show();
        return;
    }

    m_viewMatrix = new ViewMatrix(this);
    m_viewMatrix->setAttribute(Qt::WA_DeleteOnClose, false);
    if (m_subject && m_subject->getSubject() && m_subject->getSubject()->usesProto())
        m_viewMatrix->setConditions(m_subject->getSubject()->getOrderedConditions());
    m_viewMatrix->createConditionsPanel();
    m_viewMatrix->loadMatrices();
    m_viewMatrix->setLabels(m_subject ? m_subject->getNodeNames() : QStringList());
    m_viewMatrix->fillTable();
    m_viewMatrix->colorCells();
    m_viewMatrix->drawOverview();
    m_viewMatrix->createLegend();
    m_viewMatrix->show();
}

void ConnectivityObjectUI::plotCircular(bool)
{
    if (!m_subject)
        return;

    ui->groupbox_CircularPlot->setEnabled(true);

    if (!m_circularPlot) {
        m_circularPlot = new CircularPlot(this);
        m_circularPlot->setAttribute(Qt::WA_DeleteOnClose, false);
        connect(m_circularPlot, &CircularPlot::closingWindow, this, &ConnectivityObjectUI::circularPlot_disableOptions);
        connect(ui->widget_CircPlot_Spanner, &QxtSpanSlider::spanChanged, m_circularPlot,
                &CircularPlot::displayRangeChanged);
        connect(ui->widget_CircPlot_Spanner, &QxtSpanSlider::spanChanged, this,
                &ConnectivityObjectUI::circularPlot_displayRangeChanged);
        m_circularPlot->initNodeNames();
        m_circularPlot->initPlot();
    }
    m_circularPlot->show();
}

void ConnectivityObjectUI::circularPlot_disableOptions()
{
    ui->groupbox_CircularPlot->setEnabled(false);
}

void ConnectivityObjectUI::circularPlot_displayRangeChanged(int l, int u)
{
    ui->lbl_Spanner_Low->setText(QString::number(l / double(SpanSteps), 'g', 6));
    ui->lbl_Spanner_Upper->setText(QString::number(u / double(SpanSteps), 'g', 6));
}

CircularPlotWidget* ConnectivityObjectUI::circularPlotWidget() const
{
    return m_circularPlot ? m_circularPlot->plotWidget() : nullptr;
}

void ConnectivityObjectUI::circularPlot_toggleLabels(bool state)
{
    if (CircularPlotWidget* widget = circularPlotWidget())
        widget->toggleLabels(state);
}

void ConnectivityObjectUI::circularPlot_setNodesSize(int value)
{
    if (CircularPlotWidget* widget = circularPlotWidget())
        widget->setNodesSize(value);
}

void ConnectivityObjectUI::circularPlot_toggleUseWeights(bool state)
{
    if (CircularPlotWidget* widget = circularPlotWidget())
        widget->toggleUseWeights(state);
}

void ConnectivityObjectUI::circularPlot_thicknessMultiplierChanged(double value)
{
    if (CircularPlotWidget* widget = circularPlotWidget())
        widget->setThicknessMultiplier(value);
}

void ConnectivityObjectUI::circularPlot_setFixedThickness(double value)
{
    // The widget keeps the thickness as a float; narrow here so both agree.
    if (CircularPlotWidget* widget = circularPlotWidget())
        widget->setFixedThickness(static_cast<float>(value));
}

void ConnectivityObjectUI::circularPlot_toggleColorizeEdges(bool state)
{
    if (CircularPlotWidget* widget = circularPlotWidget())
        widget->toggleColorizeEdges(state);
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
