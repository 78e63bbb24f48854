#include "subject/connectivityobjectui.h"

#include "circularplot/circularplot.h"
#include "circularplot/circularplotwidget.h"
#include "plots/lineplot.h"
#include "plots/serieslist.h"
#include "plots/timeserieslineplot.h"
#include "plots/viewmatrix.h"
#include "quiver/measures.h"
#include "study/connectivityobject.h"
#include "subject/graphfeaturesmodel.h"
#include "subject/nodesmodel.h"
#include "ui_connectivityobjectui.h"

#include <QCheckBox>
#include <QDebug>
#include <QHeaderView>
#include <QPushButton>

#include <stdexcept>

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

namespace {

// One measure of the graph-features table and the library function that
// computes it: node-wise measures give one value per node, scalar ones one
// value per matrix.
struct GraphMeasure {
    const char* group;
    const char* id;
    const char* name;
    const char* description;
    const char* plotTitle;
    Eigen::ArrayXf (*nodeWise)(const Eigen::MatrixXf&);
    float (*scalar)(const Eigen::MatrixXf&);
    // Slow enough on large matrices to ask first.
    bool asksFirst;
};

const GraphMeasure kMeasures[] = {
    {"Segragation", "clustering_coeff", "Clustering coefficient",
     "The clustering coefficient of a node is the probability that the neighors of this node are also connected to "
     "each other. It is considered to be a measure of the local connectivity or “cliqueness” of a graph.",
     "Clustering Coefficient", quiver::clustering_coeff, nullptr, false},
    {"Segragation", "local_efficiency", "Local efficiency",
     "The local efficiency is the global efficiency computed on the neighborhood of the node, and is related to the "
     "clustering coefficient.",
     "Local Efficiency", quiver::local_efficiency, nullptr, true},
    {"Integration", "global_efficiency", "Global efficiency",
     "The global efficiency is the average inverse shortest path length in the network, and is inversely related to "
     "the characteristic path length.",
     "Global Efficiency", nullptr, quiver::global_efficiency, false},
    {"Centrality", "degree", "Degree",
     "Measure the importance of each node through their number/weights of connections.", "Degree", quiver::degree,
     nullptr, false},
    {"Centrality", "eigenvector_centrality", "Eigenvector centrality",
     "Eigenector centrality is a self-referential measure of centrality; nodes have higher values if they connect to "
     "other nodes that also exhibit high eigenvector centrality.",
     "Eigenvector Centrality", quiver::eigenvector_centrality, nullptr, true},
    {"Nodal Features", "strength", "Strength", "The sum of the weights of the connections of each node.", "Strength",
     quiver::strength, nullptr, false},
    {"Nodal Features", "nodal_ge", "Nodal Global Efficiency",
     "The average of the inverse shortest path length from a node to all the other in the graph.",
     "Nodal Global Efficiency", quiver::nodal_global_efficiency, nullptr, true},
};

// Matrices up to this many nodes are computed without asking.
constexpr Eigen::Index kLargestQuietMatrix = 50;

const GraphMeasure* findMeasure(const QString& id)
{
    for (const GraphMeasure& measure : kMeasures)
        if (id == QLatin1String(measure.id))
            return &measure;
    return nullptr;
}

QPushButton* makeRowButton(const QString& text, int row, const QString& id)
{
    auto* button = new QPushButton(text);
    button->setFlat(true);
    button->setProperty("row", row);
    button->setProperty("measure", id);
    return button;
}

// The name of series i: its condition when the subject has a protocol that
// describes it, otherwise "Series i".
QString seriesName(const std::vector<OrderedCondition>& conditions, bool usesConditions, std::size_t i)
{
    if (usesConditions && i < conditions.size())
        return QString::fromStdString(conditions[i].name);
    return QStringLiteral("Series %1").arg(i);
}

} // namespace

void ConnectivityObjectUI::setAnswerProvider(AnswerProvider provider)
{
    m_answerProvider = std::move(provider);
}

void ConnectivityObjectUI::setMessageReporter(MessageReporter reporter)
{
    m_messageReporter = std::move(reporter);
}

QMessageBox::StandardButton ConnectivityObjectUI::askQuestion(const QString& title, const QString& text)
{
    return QMessageBox::question(nullptr, title, text, QMessageBox::Yes | QMessageBox::No);
}

void ConnectivityObjectUI::reportProblem(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::critical(parent, title, text);
}

void ConnectivityObjectUI::prepareNodesTable()
{
    auto* model = new NodesModel(ui->tblView_Nodes);
    model->setNodes(m_subject ? m_subject->getNodeNames() : QStringList());
    ui->tblView_Nodes->setModel(model);
    for (int row = 0; row < model->rowCount(); ++row) {
        auto* box = new QCheckBox;
        box->setProperty("row", row);
        box->setChecked(true);
        box->setStyleSheet(QStringLiteral("margin-left:50%; margin-right:50%;"));
        ui->tblView_Nodes->setIndexWidget(model->index(row, 1), box);
    }
    ui->tblView_Nodes->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    ui->tblView_Nodes->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
}

void ConnectivityObjectUI::prepareGraphFeatures()
{
    QTableView* view = ui->tblView_GraphFeatures;
    auto* model = new GraphFeaturesModel(view);
    model->setUsesConditions(m_subject && m_subject->getSubject()->usesProto());
    view->setModel(model);
    view->hideColumn(0);
    // Over several matrices the global efficiency is a series, plotted over
    // the conditions; a single number stays in the Result cell.
    const bool severalMatrices = m_subject && m_subject->getMatrices().size() > 1;

    QString group;
    for (const GraphMeasure& measure : kMeasures) {
        if (group != QLatin1String(measure.group)) {
            group = QString::fromUtf8(measure.group);
            const int heading = model->addFeature(group, QString(), QString(), QString(), false);
            view->setSpan(heading, 1, 1, 4);
        }
        const QString id = QString::fromUtf8(measure.id);
        const bool scalar = measure.scalar != nullptr;
        const int row = model->addFeature(group, QString::fromUtf8(measure.name),
                                          QString::fromUtf8(measure.description), id, scalar);
        QPushButton* compute = makeRowButton(tr("compute"), row, id);
        view->setIndexWidget(model->index(row, 3), compute);
        connect(compute, &QPushButton::clicked, this, &ConnectivityObjectUI::computeGraphFeature);
        if (!scalar || severalMatrices) {
            QPushButton* inspect = makeRowButton(tr("inspect"), row, id);
            inspect->setEnabled(false);
            view->setIndexWidget(model->index(row, 4), inspect);
            connect(inspect, &QPushButton::clicked, this, &ConnectivityObjectUI::inspectGraphFeature);
        }
    }
    view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    view->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    view->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
}

void ConnectivityObjectUI::inspectGraphFeature(bool)
{
    auto* button = qobject_cast<QPushButton*>(sender());
    auto* model = qobject_cast<GraphFeaturesModel*>(ui->tblView_GraphFeatures->model());
    if (!button || !model || !m_subject)
        return;
    const QString id = button->property("measure").toString();
    const QString title = button->property("win_title").toString();
    const SubjectRecord* record = m_subject->getSubject();
    const bool usesConditions = record->usesProto();
    const SeriesList results = model->result(model->featureKey(id)).value<SeriesList>();
    const std::vector<OrderedCondition>& conditions = record->getOrderedConditions();

    if (id == QLatin1String("global_efficiency")) {
        const std::vector<float> values = results.empty() ? std::vector<float>() : results.front();
        QStringList categories;
        for (std::size_t i = 0; i < values.size(); ++i)
            categories.append(seriesName(conditions, usesConditions, i));
        auto* plot = new TimeseriesLinePlot(title, this);
        plot->setAttribute(Qt::WA_DeleteOnClose);
        plot->setWindowTitle(tr("Plot: %1").arg(title));
        plot->setYAxisTitle(title);
        plot->createChart();
        plot->setSeries(values, QString());
        plot->setCategories(categories);
        plot->show();
        return;
    }

    auto* plot = new LinePlot(title, this);
    plot->setAttribute(Qt::WA_DeleteOnClose);
    plot->setWindowTitle(tr("Plot: %1").arg(title));
    plot->setYAxisTitle(title);
    plot->createChart();
    for (std::size_t i = 0; i < results.size(); ++i) {
        const int type = usesConditions && i < conditions.size() ? conditions[i].type : 1;
        plot->addSeries(results[i], seriesName(conditions, usesConditions, i), type);
    }
    if (results.empty()) {
        plot->show();
        return;
    }
    // One category per value: the node names, unless they do not match.
    QStringList categories = m_subject->getNodeNames();
    if (std::size_t(categories.size()) != results.front().size())
        categories.clear();
    plot->finishPlot(categories, usesConditions);
    if (!usesConditions)
        plot->disableConditions();
    plot->show();
}

void ConnectivityObjectUI::computeGraphFeature(bool)
{
    auto* button = qobject_cast<QPushButton*>(sender());
    auto* model = qobject_cast<GraphFeaturesModel*>(ui->tblView_GraphFeatures->model());
    if (!button || !model || !m_subject)
        return;
    const int row = button->property("row").toInt();
    const QString id = button->property("measure").toString();
    const GraphMeasure* measure = findMeasure(id);
    if (!measure)
        return;
    const int key = model->featureKey(id);
    const QString name = QString::fromUtf8(measure->name);

    const std::vector<Eigen::MatrixXf>& matrices = m_subject->getMatrices();
    if (matrices.empty()) {
        m_messageReporter(this, tr("Nothing to compute"),
                          tr("The subject has no connectivity matrix, so there is nothing to compute."));
        return;
    }
    if (measure->asksFirst && matrices.front().rows() > kLargestQuietMatrix
        && m_answerProvider(tr("Caution."),
                            tr("The matrix is too big and the computation might take too long. Continue?"))
            == QMessageBox::No)
        return;

    const std::vector<std::string>& files = m_subject->getSubject()->getFinalMatrixFiles();
    SeriesList series;
    std::vector<float> values;
    for (std::size_t k = 0; k < matrices.size(); ++k) {
        try {
            if (measure->nodeWise) {
                const Eigen::ArrayXf result = measure->nodeWise(matrices[k]);
                series.emplace_back(result.data(), result.data() + result.size());
            } else {
                values.push_back(measure->scalar(matrices[k]));
            }
        } catch (const std::exception& e) {
            const QString file = k < files.size() ? QString::fromStdString(files[k]) : tr("number %1").arg(k + 1);
            m_messageReporter(this, tr("%1 could not be computed").arg(name),
                              tr("%1 could not be computed on the matrix %2:\n%3")
                                  .arg(name, file, QString::fromUtf8(e.what())));
            return;
        }
    }

    if (measure->scalar && values.size() == 1) {
        model->setResult(key, values.front());
        return;
    }
    model->setResult(key, QVariant::fromValue(measure->scalar ? SeriesList{values} : series));
    if (auto* inspect = qobject_cast<QPushButton*>(ui->tblView_GraphFeatures->indexWidget(model->index(row, 4)))) {
        inspect->setProperty("win_title", QString::fromUtf8(measure->plotTitle));
        inspect->setEnabled(true);
    }
}
