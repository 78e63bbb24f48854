#include "plots/lineplot.h"

#include "circularplot/colors.h"
#include "circularplot/mylabel.h"
#include "plots/chartsetup.h"
#include "ui_lineplot.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLineSeries>
#include <QMenu>
#include <QPen>
#include <QTextStream>
#include <QValueAxis>

using namespace QtCharts;

namespace {

QString colorStyle(const QColor& color)
{
    return QStringLiteral("background-color: rgb(%1, %2, %3);").arg(color.red()).arg(color.green()).arg(color.blue());
}

QPen fadedPen(QPen pen)
{
    QColor color = pen.color();
    color.setAlphaF(0.25);
    pen.setColor(color);
    return pen;
}

QString askFileName(QWidget* parent, const QString& nameFilter, const QString& defaultSuffix)
{
    QFileDialog dialog(parent, LinePlot::tr("Save as..."));
    dialog.setNameFilter(nameFilter);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

LinePlot::LinePlot(QString title, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
    , ui(new Ui::LinePlot)
    , m_title(std::move(title))
    , m_fileNameProvider(askFileName)
{
    ui->setupUi(this);
    ui->dw_Sources->hide();
    // Legend rows stack from the top instead of spreading over the panel.
    ui->horizontalLayout_2->setAlignment(ui->gridLayoutAll, Qt::AlignTop);
    connect(ui->btn_Hide, &QPushButton::clicked, this, &LinePlot::conditionsHide);
    connect(ui->btn_Show, &QPushButton::clicked, this, &LinePlot::conditionsShow);
}

LinePlot::~LinePlot()
{
    delete ui;
}

void LinePlot::setYAxisTitle(const QString& title)
{
    m_yAxisTitle = title;
}

void LinePlot::setFileNameProvider(FileNameProvider provider)
{
    m_fileNameProvider = std::move(provider);
}

void LinePlot::createChart()
{
    m_chartView = chartsetup::createChartView(m_title, ui->horizontalLayout, ui->centralwidget);
    m_chart = m_chartView->chart();
    connect(m_chartView, &QWidget::customContextMenuRequested, this, &LinePlot::showContextMenu);
}

void LinePlot::addSeries(const std::vector<float>& values, QString name, int type)
{
    if (name.isEmpty())
        name = QStringLiteral("Series %1").arg(m_seriesList.size() + 1);
    QLineSeries* series = chartsetup::addLineSeries(m_chart, values, name);
    m_seriesList.append(series);
    const int row = m_seriesList.size() - 1;

    const QColor color = series->color();
    const QPen pen(color, 2);
    series->setProperty("default-pen", pen);
    series->setProperty("fadein-pen", fadedPen(pen));

    auto* colorBox = new MyLabel(ui->scrollAreaWidgetContents);
    colorBox->setObjectName(QStringLiteral("Colorbox%1").arg(row));
    colorBox->setProperty("row", row);
    colorBox->setFixedSize(24, 16);
    colorBox->setStyleSheet(colorStyle(color));
    ui->gridLayoutAll->addWidget(colorBox, row, 0, Qt::AlignVCenter);

    auto* label = new MyLabel(ui->scrollAreaWidgetContents);
    label->setProperty("row", row);
    label->setText(type == 2 ? tr("Trigger: ") + name : name);
    ui->gridLayoutAll->addWidget(label, row, 1, Qt::AlignLeft | Qt::AlignVCenter);

    auto* checkBox = new QCheckBox(ui->scrollAreaWidgetContents);
    checkBox->setTristate(false);
    checkBox->setChecked(true);
    checkBox->setProperty("row", row);
    checkBox->setProperty("ts_label", name);
    ui->gridLayoutAll->addWidget(checkBox, row, 2, Qt::AlignRight | Qt::AlignVCenter);

    if (type == 2) {
        colorBox->setInteractive(false);
        label->setInteractive(false);
        checkBox->hide();
        series->hide();
    } else if (type == 1) {
        connect(colorBox, &MyLabel::hoverLabel, this, &LinePlot::highlightLineSeries);
        connect(label, &MyLabel::hoverLabel, this, &LinePlot::highlightLineSeries);
        connect(checkBox, &QCheckBox::stateChanged, this, &LinePlot::toggleLineSeries);
    }
}

void LinePlot::finishPlot(const QStringList& categories, bool withConditions)
{
    m_chart->createDefaultAxes();
    m_chart->legend()->hide();
    const int points = m_seriesList.isEmpty() ? 0 : m_seriesList.first()->count();

    if (!categories.isEmpty()) {
        chartsetup::setCategoryXAxis(m_chart, categories, tr("VOIs"));
    } else if (auto* axis = qobject_cast<QValueAxis*>(m_chart->axes(Qt::Horizontal).value(0))) {
        // One tick per node while they stay readable.
        axis->setTickCount(points < 51 ? points : 10);
        axis->setLabelFormat(QStringLiteral("%i"));
        axis->setTitleText(tr("Voxels"));
    }
    chartsetup::setYAxisTitle(m_chart, m_yAxisTitle);

    if (withConditions) {
        QStringList names;
        for (const QLineSeries* series : qAsConst(m_seriesList))
            names.append(series->name());
        QStringList sorted = names;
        sorted.removeDuplicates();
        sorted.sort(Qt::CaseSensitive);
        ui->cbox_Conditions->addItem(tr("All"), QStringLiteral("All"));
        for (const QString& name : qAsConst(sorted))
            ui->cbox_Conditions->addItem(name, name);

        const QVector<QColor> colors = conditionColors(names);
        for (int k = 0; k < m_seriesList.size(); ++k) {
            QLineSeries* series = m_seriesList[k];
            const QColor& color = colors[k];
            series->setColor(color);
            if (auto* colorBox = findChild<MyLabel*>(QStringLiteral("Colorbox%1").arg(k)))
                colorBox->setStyleSheet(colorStyle(color));
            QPen pen = qvariant_cast<QPen>(series->property("default-pen"));
            pen.setColor(color);
            series->setProperty("default-pen", pen);
            QPen fade = qvariant_cast<QPen>(series->property("fadein-pen"));
            fade.setColor(color);
            series->setProperty("fadein-pen", fadedPen(fade));
        }
    }
    m_chartView->update();
}

void LinePlot::disableConditions()
{
    ui->cbox_Conditions->setEnabled(false);
    ui->btn_Show->setEnabled(false);
    ui->btn_Hide->setEnabled(false);
}

void LinePlot::highlightLineSeries(bool state)
{
    const int row = sender() ? sender()->property("row").toInt() : -1;
    if (row < 0 || row >= m_seriesList.size() || !m_seriesList[row]->isVisible())
        return;
    const char* const others = state ? "fadein-pen" : "default-pen";
    for (QLineSeries* series : qAsConst(m_seriesList))
        series->setPen(qvariant_cast<QPen>(series->property(others)));
    if (state)
        m_seriesList[row]->setPen(qvariant_cast<QPen>(m_seriesList[row]->property("default-pen")));
}

void LinePlot::toggleLineSeries(int state)
{
    const int row = sender() ? sender()->property("row").toInt() : -1;
    if (row >= 0 && row < m_seriesList.size())
        m_seriesList[row]->setVisible(state != 0);
}

void LinePlot::conditionsShow()
{
    setConditionVisible(true);
}

void LinePlot::conditionsHide()
{
    setConditionVisible(false);
}

void LinePlot::setConditionVisible(bool visible)
{
    const QString condition = ui->cbox_Conditions->currentData().toString();
    const bool all = condition == QLatin1String("All");
    for (QLineSeries* series : qAsConst(m_seriesList))
        if (all || series->name() == condition)
            series->setVisible(visible);
    const QList<QCheckBox*> boxes = findChildren<QCheckBox*>();
    for (QCheckBox* box : boxes)
        if (all || box->property("ts_label").toString() == condition)
            box->setChecked(visible);
}

void LinePlot::showContextMenu(const QPoint& pos)
{
    QMenu menu(this);
    connect(menu.addAction(tr("Export to image...")), &QAction::triggered, this, &LinePlot::saveImage);
    connect(menu.addAction(tr("Export to CSV...")), &QAction::triggered, this, &LinePlot::saveCSV);
    menu.exec(ui->centralwidget->mapToGlobal(pos));
}

void LinePlot::saveImage()
{
    const QString fileName = m_fileNameProvider(this, tr("PNG (*.png)"), QStringLiteral(".png"));
    if (fileName.isEmpty() || !m_chartView)
        return;
    m_chartView->grab().save(fileName, "PNG");
}

void LinePlot::saveCSV()
{
    const QString fileName = m_fileNameProvider(this, tr("Comma-separated values (*.csv)"), QStringLiteral(".csv"));
    if (fileName.isEmpty() || m_seriesList.isEmpty())
        return;
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return;
    QTextStream out(&file);
    const QVector<QPointF> points = m_seriesList.first()->pointsVector();
    for (int i = 0; i < points.size(); ++i) {
        if (i > 0)
            out << ',';
        out << points[i].y();
    }
}
