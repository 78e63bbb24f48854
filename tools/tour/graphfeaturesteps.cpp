#include "tour.h"
#include "toursteps.h"

#include "circularplot/mylabel.h"
#include "plots/lineplot.h"
#include "plots/timeserieslineplot.h"
#include "subject/connectivityobjectui.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

namespace {

// Rows of the measures in the graph-features table.
const int kMeasureRows[] = {1, 2, 4, 6, 7, 9, 10};
constexpr int kClusteringRow = 1;
constexpr int kGlobalEfficiencyRow = 4;

QPushButton* tableButton(QWidget* dialog, int row, int column)
{
    auto* view = dialog->findChild<QTableView*>("tblView_GraphFeatures");
    return view ? qobject_cast<QPushButton*>(view->indexWidget(view->model()->index(row, column))) : nullptr;
}

// Presses the inspect button of a row and returns the plot window it opened.
template <typename Plot>
Plot* inspect(Tour& tour, QWidget* dialog, int row, const QString& subject)
{
    QPushButton* button = tableButton(dialog, row, 4);
    if (!button || !button->isEnabled()) {
        tour.fail(QStringLiteral("%1: row %2 has no enabled \"inspect\" button").arg(subject).arg(row));
        return nullptr;
    }
    const QList<Plot*> before = dialog->findChildren<Plot*>();
    button->click();
    QApplication::processEvents();
    const QList<Plot*> after = dialog->findChildren<Plot*>();
    for (Plot* plot : after)
        if (!before.contains(plot))
            return plot;
    tour.fail(QStringLiteral("%1: \"inspect\" of row %2 opened no plot").arg(subject).arg(row));
    return nullptr;
}

// Exports the plot's picture and its first series into the tour's folder
// through the plot's own export functions.
void exportPlot(Tour& tour, LinePlot* plot, const QString& baseName)
{
    QString fileName;
    plot->setFileNameProvider([&](QWidget*, const QString&, const QString& suffix) {
        fileName = tour.outputFolder().filePath(baseName + suffix);
        return fileName;
    });
    plot->saveImage();
    if (!QFileInfo(fileName).isFile())
        tour.fail(QStringLiteral("the plot's picture %1 was not written").arg(fileName));
    plot->saveCSV();
    if (!QFileInfo(fileName).isFile())
        tour.fail(QStringLiteral("the plot's table %1 was not written").arg(fileName));
}

void walkSubject(Tour& tour, int row)
{
    const QString subject = tour.subjectId(row);
    auto* dialog = qobject_cast<ConnectivityObjectUI*>(tour.openSubject(row));
    if (!dialog)
        return;
    dialog->setAnswerProvider([](const QString&, const QString&) { return QMessageBox::Yes; });
    dialog->setMessageReporter([&tour, subject](QWidget*, const QString& title, const QString& text) {
        tour.fail(QStringLiteral("%1: %2: %3").arg(subject, title, text));
    });
    auto* tabs = dialog->findChild<QTabWidget*>("tabWidget");
    tabs->setCurrentWidget(dialog->findChild<QWidget*>("tab_GraphFeatures"));
    tour.save(dialog, QStringLiteral("graph-features-%1").arg(subject));

    for (int measureRow : kMeasureRows) {
        if (QPushButton* compute = tableButton(dialog, measureRow, 3))
            compute->click();
        else
            tour.fail(QStringLiteral("%1: row %2 has no \"compute\" button").arg(subject).arg(measureRow));
    }
    tour.save(dialog, QStringLiteral("graph-features-%1-computed").arg(subject));

    if (auto* plot = inspect<LinePlot>(tour, dialog, kClusteringRow, subject)) {
        tour.save(plot, QStringLiteral("clustering-%1").arg(subject));
        if (auto* colorBox = plot->findChild<MyLabel*>("Colorbox1")) {
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(colorBox, &enter);
            tour.save(plot, QStringLiteral("clustering-%1-highlighted").arg(subject));
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(colorBox, &leave);
        }
        auto* conditions = plot->findChild<QComboBox*>("cbox_Conditions");
        const int task = conditions->findData(QStringLiteral("Task"));
        if (task >= 0) {
            conditions->setCurrentIndex(task);
            plot->findChild<QPushButton*>("btn_Hide")->click();
            tour.save(plot, QStringLiteral("clustering-%1-task-hidden").arg(subject));
        }
        exportPlot(tour, plot, QStringLiteral("clustering-%1").arg(subject));
        plot->close();
    }

    // Over several conditions the global efficiency is a plot; with one
    // matrix it is the number in the table.
    if (tableButton(dialog, kGlobalEfficiencyRow, 4)) {
        if (auto* plot = inspect<TimeseriesLinePlot>(tour, dialog, kGlobalEfficiencyRow, subject)) {
            tour.save(plot, QStringLiteral("global-efficiency-%1").arg(subject));
            plot->close();
        }
    }
    dialog->close();
}

} // namespace

// Computes every measure on each subject and walks through their plots:
// the clustering coefficient per condition, with one series highlighted and
// one condition hidden, exported as picture and table, and the global
// efficiency over the conditions.
void graphFeatureSteps(Tour& tour)
{
    for (int row = 0; row < tour.subjectCount(); ++row)
        walkSubject(tour, row);
}
