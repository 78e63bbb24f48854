#include "circularplot/circularplot.h"

#include "ui_circularplot.h"

#include "circularplot/circularplotwidget.h"
#include "study/connectivityobject.h"
#include "study/subjectsource.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMutexLocker>
#include <QStatusBar>

#include <vector>

CircularPlot::CircularPlot(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::CircularPlotWindow)
    , m_runFileDialog([](QFileDialog& dialog) { return dialog.exec() == QDialog::Accepted; })
{
    ui->setupUi(this);
    // Only the handle's release plots: dragging, the keyboard and clicks on
    // the groove move the slider without plotting.
    connect(ui->hSlider_Conditions, &QSlider::sliderReleased, this, &CircularPlot::valueChanged);
    connect(this, &QWidget::customContextMenuRequested, this, &CircularPlot::showContextMenu);

    m_plotWidget = new CircularPlotWidget(this);
    ui->mainVLayout->insertWidget(0, m_plotWidget);
    initConditionsSlider();
}

CircularPlot::~CircularPlot()
{
    delete ui;
}

void CircularPlot::setFileDialogRunner(FileDialogRunner runner)
{
    m_runFileDialog = std::move(runner);
}

ConnectivityObject* CircularPlot::subject() const
{
    const auto* source = dynamic_cast<const SubjectSource*>(parent());
    ConnectivityObject* object = source ? source->getConnectivityObject() : nullptr;
    return object && object->getSubject() ? object : nullptr;
}

void CircularPlot::hideConditionsSlider()
{
    ui->hSlider_Conditions->hide();
    ui->horizontalSpacer->changeSize(0, 0);
    ui->horizontalSpacer_2->changeSize(0, 0);
    ui->horizontalLayout->invalidate();
}

void CircularPlot::initConditionsSlider()
{
    const ConnectivityObject* object = subject();
    if (!object)
        return;
    QStringList labels;
    for (const OrderedCondition& condition : object->getSubject()->getOrderedConditions())
        labels.append(QString::fromStdString(condition.name));
    if (labels.isEmpty()) {
        hideConditionsSlider();
        return;
    }
    ui->hSlider_Conditions->setLabels(labels);
}

void CircularPlot::initNodeNames()
{
    if (const ConnectivityObject* object = subject())
        m_plotWidget->setNodeNames(object->getNodeNames());
}

void CircularPlot::initPlot()
{
    const ConnectivityObject* object = subject();
    if (!object)
        return;
    QVariantHash data;
    data.insert(QStringLiteral("slice"), 0);
    data.insert(QStringLiteral("mst"), QVariant::fromValue(std::vector<int>()));
    int type = 1;
    const std::vector<OrderedCondition>& conditions = object->getSubject()->getOrderedConditions();
    if (!conditions.empty()) {
        data.insert(QStringLiteral("condition_str"), QString::fromStdString(conditions.front().name));
        data.insert(QStringLiteral("condition_type"), conditions.front().type);
        type = conditions.front().type;
    }
    // A subject without matrices shows an empty plot.
    const std::vector<Eigen::MatrixXf>& matrices = object->getMatrices();
    m_plotWidget->plot(matrices.empty() ? Eigen::MatrixXf() : matrices.front(), type, data);
}

void CircularPlot::valueChanged()
{
    QMutexLocker locker(&m_mutex);
    const auto* slider = qobject_cast<const QSlider*>(sender());
    if (!slider)
        return;
    const int position = slider->value() - 1;
    const ConnectivityObject* object = subject();
    if (!object)
        return;

    QVariantHash data;
    data.insert(QStringLiteral("slice"), position);
    int type = 1;
    QString name = QString::number(position + 1);
    const std::vector<OrderedCondition>& conditions = object->getSubject()->getOrderedConditions();
    if (!conditions.empty()) {
        if (position < 0 || std::size_t(position) >= conditions.size())
            return;
        const OrderedCondition& condition = conditions[std::size_t(position)];
        name = QString::fromStdString(condition.name);
        data.insert(QStringLiteral("condition_str"), name);
        data.insert(QStringLiteral("condition_type"), condition.type);
        type = condition.type;
    }

    const std::vector<Eigen::MatrixXf>& matrices = object->getMatrices();
    if (position < 0 || std::size_t(position) >= matrices.size()) {
        statusBar()->showMessage(tr("No matrix for condition \"%1\"").arg(name));
        return;
    }
    if (QStatusBar* bar = findChild<QStatusBar*>())
        bar->clearMessage();
    m_plotWidget->plot(matrices[std::size_t(position)], type, data);
}

void CircularPlot::displayRangeChanged(int lower, int upper)
{
    QMutexLocker locker(&m_mutex);
    m_plotWidget->filterDisplayRange(lower / 1000.0, upper / 1000.0);
    m_plotWidget->update();
}

void CircularPlot::showContextMenu(const QPoint& pos)
{
    QMenu menu(QString(), this);
    QAction* exportAction = menu.addAction(tr("Export to image..."));
    connect(exportAction, &QAction::triggered, this, &CircularPlot::saveImage);
    menu.exec(mapToGlobal(pos));
}

void CircularPlot::saveImage()
{
    QFileDialog dialog(this, tr("Save as..."), QString(), tr("PNG (*.png)"));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral(".png"));
    if (!m_runFileDialog(dialog))
        return;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return;
    // A failed write is not reported.
    m_plotWidget->grab().save(files.first(), "PNG");
}

void CircularPlot::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    emit closingWindow();
}
