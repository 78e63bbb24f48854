// The monkey's part for a subject's analysis window and the windows it opens:
// the matrix viewer, the circular plot with its options, and measures.
#include "monkey.h"

#include "circularplot/circularplot.h"
#include "mainwindow/kestrel.h"
#include "circularplot/qxtspanslider.h"
#include "plots/lineplot.h"
#include "plots/timeserieslineplot.h"
#include "plots/viewmatrix.h"
#include "study/connectivityobject.h"
#include "subject/connectivityobjectui.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

// A random open subject window, or null when none is open.
ConnectivityObjectUI* anyDialog(Monkey& m)
{
    const QList<ConnectivityObjectUI*> dialogs = m.visibleWindows<ConnectivityObjectUI>();
    return dialogs.isEmpty() ? nullptr : dialogs[m.pick(dialogs.size())];
}

template <typename W>
W* child(QObject* parent, const char* name)
{
    return parent->findChild<W*>(QString::fromLatin1(name));
}

// The buttons with the given text in the measure table's cells.
QList<QPushButton*> tableButtons(ConnectivityObjectUI* dialog, const QString& text)
{
    QList<QPushButton*> buttons;
    for (QPushButton* button : child<QTableView>(dialog, "tblView_GraphFeatures")->findChildren<QPushButton*>())
        if (button->text() == text && button->isEnabled())
            buttons.append(button);
    return buttons;
}

void visualizeMatrix(Monkey& m)
{
    ConnectivityObjectUI* dialog = anyDialog(m);
    if (!dialog)
        return;
    m.note(QStringLiteral("  matrix viewer of %1").arg(QString::fromStdString(dialog->getConnectivityObject()->getSubject()->getUniqueId())));
    QTest::mouseClick(child<QPushButton>(dialog, "pb_PlotConnMtx"), Qt::LeftButton);
    const QList<ViewMatrix*> viewers = dialog->findChildren<ViewMatrix*>();
    QCOMPARE(viewers.size(), 1);
    QVERIFY(viewers.first()->isVisible());
}

void visualizeCircularPlot(Monkey& m)
{
    ConnectivityObjectUI* dialog = anyDialog(m);
    if (!dialog)
        return;
    QTest::mouseClick(child<QPushButton>(dialog, "pb_CircularPlotConnMtx"), Qt::LeftButton);
    const QList<CircularPlot*> plots = dialog->findChildren<CircularPlot*>();
    QCOMPARE(plots.size(), 1);
    QVERIFY(plots.first()->isVisible());
}

void moveDisplayRange(Monkey& m)
{
    if (ConnectivityObjectUI* dialog = anyDialog(m))
        child<QxtSpanSlider>(dialog, "widget_CircPlot_Spanner")->setSpan(m.pick(1001), m.pick(1001));
}

void togglePlotOption(Monkey& m)
{
    ConnectivityObjectUI* dialog = anyDialog(m);
    if (!dialog)
        return;
    const char* const boxes[] = {"chkBox_CircPlot_ShowLabels", "chkBox_CircPlot_ConnWeights",
                                 "chkBox_CircPlot_ConnColors"};
    auto* box = child<QCheckBox>(dialog, boxes[m.pick(3)]);
    m.note(QStringLiteral("  %1").arg(box->objectName()));
    box->toggle();
}

// Presses a random "compute"; the caution question is answered at random and
// whatever the window reports is taken here.
void computeMeasure(Monkey& m)
{
    ConnectivityObjectUI* dialog = anyDialog(m);
    if (!dialog)
        return;
    const QList<QPushButton*> buttons = tableButtons(dialog, QStringLiteral("compute"));
    QVERIFY(!buttons.isEmpty());
    const bool yes = m.chance(0.8);
    dialog->setAnswerProvider([yes](const QString&, const QString&) { return yes ? QMessageBox::Yes : QMessageBox::No; });
    QStringList reported;
    dialog->setMessageReporter([&reported](QWidget*, const QString&, const QString& text) { reported.append(text); });
    QPushButton* button = buttons[m.pick(buttons.size())];
    m.note(QStringLiteral("  compute %1").arg(button->property("measure").toString()));
    QTest::mouseClick(button, Qt::LeftButton);
    const bool hasMatrices = !dialog->getConnectivityObject()->getMatrices().empty();
    QCOMPARE(reported.isEmpty(), hasMatrices);
}

void inspectMeasure(Monkey& m)
{
    ConnectivityObjectUI* dialog = anyDialog(m);
    if (!dialog)
        return;
    const QList<QPushButton*> buttons = tableButtons(dialog, QStringLiteral("inspect"));
    if (buttons.isEmpty())
        return;
    const int before = dialog->findChildren<QMainWindow*>().size();
    QTest::mouseClick(buttons[m.pick(buttons.size())], Qt::LeftButton);
    QCOMPARE(dialog->findChildren<QMainWindow*>().size(), before + 1);
}

// The windows a subject window opened: viewer, circular plot, line plots.
QList<QWidget*> plotWindows()
{
    QList<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible()
            && (qobject_cast<ViewMatrix*>(widget) || qobject_cast<CircularPlot*>(widget)
                || qobject_cast<LinePlot*>(widget) || qobject_cast<TimeseriesLinePlot*>(widget)))
            windows.append(widget);
    return windows;
}

void closePlotWindow(Monkey& m)
{
    const QList<QWidget*> windows = plotWindows();
    if (windows.isEmpty())
        return;
    QWidget* window = windows[m.pick(windows.size())];
    m.note(QStringLiteral("  close %1").arg(window->metaObject()->className()));
    window->close();
}

void everyPlotWindowHasAnOpenSubjectWindow(Monkey&)
{
    for (QWidget* window : plotWindows()) {
        auto* dialog = qobject_cast<ConnectivityObjectUI*>(window->parentWidget());
        QVERIFY2(dialog && dialog->isVisible(), window->metaObject()->className());
    }
}

void plotOptionsFollowTheCircularPlot(Monkey& m)
{
    for (ConnectivityObjectUI* dialog : m.visibleWindows<ConnectivityObjectUI>()) {
        const QList<CircularPlot*> plots = dialog->findChildren<CircularPlot*>();
        QVERIFY(plots.size() <= 1);
        QVERIFY(dialog->findChildren<ViewMatrix*>().size() <= 1);
        const bool plotShown = !plots.isEmpty() && plots.first()->isVisible();
        QCOMPARE(child<QGroupBox>(dialog, "groupbox_CircularPlot")->isEnabled(), plotShown);
    }
}

} // namespace

MonkeyPart subjectDialogPart()
{
    return {
        {
            {"Visualize the matrix", 2, visualizeMatrix},
            {"Visualize the circular plot", 2, visualizeCircularPlot},
            {"move the display range", 2, moveDisplayRange},
            {"toggle a circular plot option", 2, togglePlotOption},
            {"compute a measure", 3, computeMeasure},
            {"inspect a measure", 2, inspectMeasure},
            {"close a plot window", 2, closePlotWindow},
        },
        {
            {"every plot window has an open subject window", everyPlotWindowHasAnOpenSubjectWindow},
            {"the plot options follow the circular plot", plotOptionsFollowTheCircularPlot},
        },
    };
}
