#include "tour.h"
#include "toursteps.h"

#include "circularplot/circularplot.h"
#include "circularplot/circularplotwidget.h"
#include "circularplot/edgelayer.h"
#include "circularplot/mygraphicssimpletextitem.h"
#include "circularplot/myslider.h"
#include "study/connectivityobject.h"
#include "study/subjectsource.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplineSeries>

namespace {

// The first subject whose manifest has a protocol, with its dialog; the
// dialogs of the subjects passed over are closed again.
QWidget* protocolSubject(Tour& tour, std::vector<OrderedCondition>& conditions)
{
    for (int row = 0; row < tour.subjectCount(); ++row) {
        QWidget* dialog = tour.openSubject(row);
        if (!dialog)
            continue;
        const auto* source = dynamic_cast<const SubjectSource*>(dialog);
        if (source && source->getConnectivityObject()) {
            conditions = source->getConnectivityObject()->getSubject()->getOrderedConditions();
            if (!conditions.empty())
                return dialog;
        }
        dialog->close();
    }
    return nullptr;
}

// Moves to slider position p (from 1) and releases the handle there.
void releaseAt(CircularPlot* window, int position)
{
    auto* slider = window->findChild<MySlider*>(QStringLiteral("hSlider_Conditions"));
    slider->setValue(position);
    emit slider->sliderReleased();
}

void moveMouse(CircularPlotWidget* plot, const QPoint& point)
{
    QWidget* viewport = plot->viewport();
    QMouseEvent move(QEvent::MouseMove, point, viewport->mapToGlobal(point), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
}

// A pixel on the strongest visible edge where no other edge lies above it.
QPoint pointOnStrongestEdge(CircularPlotWidget* plot)
{
    EdgeLayer* layer = plot->edgeLayer();
    const QList<QtCharts::QSplineSeries*>& edges = plot->edgeList();
    for (int e = edges.size() - 1; e >= 0; --e) {
        if (!edges[e]->isVisible())
            continue;
        for (double t = 0.3; t < 2.0; t += 0.1) {
            const QPoint pixel = plot->mapFromScene(layer->mapToScene(layer->curvePoint(e, t)));
            if (layer->edgeAt(layer->mapFromScene(plot->mapToScene(pixel)) + QPointF(0.5, 0.5)) == edges[e])
                return pixel;
        }
    }
    return {};
}

} // namespace

// Opens the circular plot of the subject with a protocol and walks through
// its positions, the display range, hovering and colouring, then exports a
// picture through the window's own export.
void circularPlotSteps(Tour& tour)
{
    std::vector<OrderedCondition> conditions;
    QWidget* dialog = protocolSubject(tour, conditions);
    if (!dialog) {
        tour.fail(QStringLiteral("circular plot: no subject with a protocol"));
        return;
    }
    if (auto* visualize = dialog->findChild<QPushButton*>(QStringLiteral("pb_CircularPlotConnMtx")))
        visualize->click();
    auto* window = dialog->findChild<CircularPlot*>();
    if (!window) {
        tour.fail(QStringLiteral("circular plot: \"Visualize\" opened no window"));
        dialog->close();
        return;
    }
    // Large enough to show every label around the 660-pixel chart.
    window->resize(1000, 1100);
    window->show();
    CircularPlotWidget* plot = window->plotWidget();
    tour.save(window, QStringLiteral("circular-plot"));

    int trigger = -1;
    for (std::size_t k = 0; k < conditions.size(); ++k)
        if (conditions[k].type == 2 && trigger < 0)
            trigger = int(k) + 1;
    if (trigger > 0) {
        releaseAt(window, trigger);
        if (!plot->triggerCaption() || !plot->triggerCaption()->isVisible())
            tour.fail(QStringLiteral("circular plot: the trigger position shows no caption"));
        tour.save(window, QStringLiteral("circular-plot-trigger"));
    }
    releaseAt(window, int(conditions.size()));
    tour.save(window, QStringLiteral("circular-plot-last-condition"));

    window->displayRangeChanged(250, 750);
    tour.save(window, QStringLiteral("circular-plot-range"));

    if (!plot->labelItems().isEmpty()) {
        const MyGraphicsSimpleTextItem* label = plot->labelItems().first();
        moveMouse(plot, plot->mapFromScene(label->mapToScene(label->boundingRect().center())));
        tour.save(window, QStringLiteral("circular-plot-label-hover"));
        moveMouse(plot, QPoint(2, 2));
    }
    const QPoint onEdge = pointOnStrongestEdge(plot);
    if (onEdge.isNull()) {
        tour.fail(QStringLiteral("circular plot: no visible edge to hover"));
    } else {
        moveMouse(plot, onEdge);
        if (!plot->valueLabel()->isVisible())
            tour.fail(QStringLiteral("circular plot: hovering an edge shows no value"));
        tour.save(window, QStringLiteral("circular-plot-edge-hover"));
        moveMouse(plot, QPoint(2, 2));
    }

    if (auto* colouring = dialog->findChild<QCheckBox*>(QStringLiteral("chkBox_CircPlot_ConnColors")))
        colouring->setChecked(true);
    else
        plot->toggleColorizeEdges(true);
    tour.save(window, QStringLiteral("circular-plot-colour"));

    const QString exported = tour.outputFolder().filePath(QStringLiteral("circular-plot-export"));
    window->setFileDialogRunner([&](QFileDialog& fileDialog) {
        fileDialog.selectFile(exported);
        return true;
    });
    window->saveImage();
    if (!QFile::exists(exported + QStringLiteral(".png")))
        tour.fail(QStringLiteral("circular plot: the export wrote no %1.png").arg(exported));
    if (auto* colouring = dialog->findChild<QCheckBox*>(QStringLiteral("chkBox_CircPlot_ConnColors")))
        colouring->setChecked(false);
    window->close();
    dialog->close();
}
