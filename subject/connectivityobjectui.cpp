#include "subject/connectivityobjectui.h"

#include "circularplot/circularplot.h"
#include "plots/viewmatrix.h"
#include "ui_connectivityobjectui.h"

#include "plots/lineplot.h"
#include "plots/serieslist.h"
#include "plots/timeserieslineplot.h"
#include "quiver/measures.h"
#include "study/connectivityobject.h"
#include "subject/graphfeaturesmodel.h"
#include "subject/nodesmodel.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>

#include <stdexcept>

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
        connect(compute, SIGNAL(clicked(bool)), this, SLOT(computeGraphFeature(bool)));
        if (!scalar || severalMatrices) {
            QPushButton* inspect = makeRowButton(tr("inspect"), row, id);
            inspect->setEnabled(false);
            view->setIndexWidget(model->index(row, 4), inspect);
            connect(inspect, SIGNAL(clicked(bool)), this, SLOT(inspectGraphFeature(bool)));
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
    const std::vector<OrderedCondition> conditions = record->getOrderedConditions();

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

    const std::vector<Eigen::MatrixXf> matrices = m_subject->getMatrices();
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
