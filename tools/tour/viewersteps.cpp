#include "tour.h"
#include "toursteps.h"

#include "circularplot/mylabel.h"
#include "plots/viewmatrix.h"

#include <QApplication>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>

namespace {

// Presses the dialog's "Visualize" of the connectivity matrix and returns
// the viewer it shows.
ViewMatrix* openViewer(Tour& tour, QWidget* dialog)
{
    auto* visualize = dialog->findChild<QPushButton*>("pb_PlotConnMtx");
    if (!visualize) {
        tour.fail(QStringLiteral("the subject's dialog has no \"Visualize\" for the matrix"));
        return nullptr;
    }
    visualize->click();
    auto* viewer = dialog->findChild<ViewMatrix*>();
    if (!viewer || !viewer->isVisible())
        tour.fail(QStringLiteral("\"Visualize\" showed no matrix viewer"));
    return viewer;
}

// Moves the mouse over a grid cell the way the mouse reports it to the grid.
void hoverCell(QTableWidget* grid, int row, int column)
{
    const QPoint pos = grid->visualItemRect(grid->item(row, column)).center();
    QMouseEvent move(QEvent::MouseMove, pos, grid->viewport()->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
}

// Clicks the name of the n-th condition (from 0) that has a matrix of its
// own; triggers are passed over.
bool browseCondition(ViewMatrix* viewer, int n)
{
    auto* panel = viewer->findChild<QGridLayout*>("gridLayout_Conditions");
    for (int row = 0; row < panel->rowCount(); ++row) {
        QLayoutItem* item = panel->itemAtPosition(row, 1);
        auto* name = item ? qobject_cast<MyLabel*>(item->widget()) : nullptr;
        if (!name || !name->isInteractive())
            continue;
        if (n-- == 0) {
            QMouseEvent press(QEvent::MouseButtonPress, QPoint(1, 1), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(name, &press);
            return true;
        }
    }
    return false;
}

} // namespace

// Opens the matrix viewer of the subject with a protocol, hovers a cell,
// browses to another condition, and opens the viewer of the subject without
// a protocol.
void viewerSteps(Tour& tour)
{
    for (int row = 0; row < tour.subjectCount(); ++row) {
        QWidget* dialog = tour.openSubject(row);
        ViewMatrix* viewer = dialog ? openViewer(tour, dialog) : nullptr;
        if (!viewer)
            continue;
        const QString subject = tour.subjectId(row);
        tour.save(viewer, "viewer-" + subject);
        if (row != 0) {
            dialog->close();
            continue;
        }

        auto* grid = viewer->findChild<QTableWidget*>("tableMatrix");
        if (grid->rowCount() < 8) {
            tour.fail(QStringLiteral("the viewer of %1 shows no matrix").arg(subject));
            continue;
        }
        hoverCell(grid, 3, 7);
        tour.save(viewer, "viewer-" + subject + "-hover");
        if (browseCondition(viewer, 2))
            tour.save(viewer, "viewer-" + subject + "-third-condition");
        else
            tour.fail(QStringLiteral("%1 has no third condition with a matrix").arg(subject));
        dialog->close();
    }
}
