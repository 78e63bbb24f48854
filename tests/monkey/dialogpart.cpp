// The monkey's steps through a subject's window and the windows it opens: the
// matrix viewer, the circular plot with its options, and measures.
#include "monkey.h"

#include "circularplot/circularplot.h"
#include "circularplot/qxtspanslider.h"
#include "plots/viewmatrix.h"
#include "study/connectivityobject.h"
#include "subject/connectivityobjectui.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

// Opens a plot, changes a plot option (whether or not the plot is open),
// presses an enabled "compute" or "inspect", or closes a plot window.
void subjectDialogStep(Monkey& m)
{
    ConnectivityObjectUI* dialog = m.anyOf<ConnectivityObjectUI>();
    if (!dialog)
        return;
    const char* const controls[] = {"pb_PlotConnMtx", "pb_CircularPlotConnMtx", "chkBox_CircPlot_ShowLabels",
                                    "chkBox_CircPlot_ConnWeights", "chkBox_CircPlot_ConnColors"};
    QList<QPushButton*> measures;
    for (QPushButton* button : dialog->findChild<QTableView*>("tblView_GraphFeatures")->findChildren<QPushButton*>())
        if (button->isEnabled())
            measures.append(button);
    const int control = m.pick(10);
    if (control < 5) {
        m.note(controls[control]);
        auto* button = dialog->findChild<QAbstractButton*>(controls[control]);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(2, button->height() / 2));
        m.note(button->isChecked() ? "ON" : "OFF");
    } else if (control == 5) {
        m.note("move the span");
        dialog->findChild<QxtSpanSlider*>("widget_CircPlot_Spanner")->setSpan(m.pick(1001), m.pick(1001));
    } else if (control == 6) {
        m.note("close a plot window");
        if (QWidget* plot = m.pick(3) ? static_cast<QWidget*>(m.anyOf<QMainWindow>()) : m.anyOf<ViewMatrix>())
            plot->close();
    } else {
        QVERIFY(!measures.isEmpty());
        // A subject without matrices says there is nothing to compute; "inspect" opens a plot.
        QStringList reported;
        dialog->setMessageReporter([&reported](QWidget*, const QString&, const QString& text) { reported << text; });
        const int windows = dialog->findChildren<QMainWindow*>().size();
        QPushButton* button = measures[m.pick(measures.size())];
        const bool inspect = button->text() == QLatin1String("inspect");
        m.note(button->text() + ' ' + button->property("measure").toString());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(reported.isEmpty(), inspect || !dialog->getConnectivityObject()->getMatrices().empty());
        QCOMPARE(dialog->findChildren<QMainWindow*>().size(), windows + inspect);
    }
    QVERIFY(dialog->findChildren<ViewMatrix*>().size() <= 1 && dialog->findChildren<CircularPlot*>().size() <= 1);
}

// The circular plot's options are enabled while it is shown.
void subjectDialogCheck(Monkey&)
{
    for (ConnectivityObjectUI* dialog : Monkey::visible<ConnectivityObjectUI>()) {
        const auto* plot = dialog->findChild<CircularPlot*>();
        QCOMPARE(dialog->findChild<QGroupBox*>("groupbox_CircularPlot")->isEnabled(), plot && plot->isVisible());
    }
}
