// The monkey's part for a subject's window and the windows it opens: the
// matrix viewer, the circular plot with its options, and measures.
#include "monkey.h"

#include "circularplot/circularplot.h"
#include "circularplot/qxtspanslider.h"
#include "plots/viewmatrix.h"
#include "study/connectivityobject.h"
#include "subject/connectivityobjectui.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

// Each subject window has at most one matrix viewer and one circular plot;
// their options work whether or not the plot is open.
void visualizeOrChangeAnOption(Monkey& m)
{
    ConnectivityObjectUI* dialog = m.anyOf<ConnectivityObjectUI>();
    const char* const controls[] = {"pb_PlotConnMtx", "pb_CircularPlotConnMtx", "chkBox_CircPlot_ShowLabels",
                                    "chkBox_CircPlot_ConnWeights", "chkBox_CircPlot_ConnColors"};
    const int control = m.pick(6);
    m.note(QStringLiteral("  control %1").arg(control));
    if (!dialog)
        return;
    if (control == 5)
        dialog->findChild<QxtSpanSlider*>("widget_CircPlot_Spanner")->setSpan(m.pick(1001), m.pick(1001));
    else
        QTest::mouseClick(dialog->findChild<QAbstractButton*>(controls[control]), Qt::LeftButton);
    QVERIFY(dialog->findChildren<ViewMatrix*>().size() <= 1 && dialog->findChildren<CircularPlot*>().size() <= 1);
}

// A random enabled "compute" or "inspect", the caution answered at random. A
// subject without matrices has nothing to compute; "inspect" opens a plot.
void computeOrInspect(Monkey& m)
{
    ConnectivityObjectUI* dialog = m.anyOf<ConnectivityObjectUI>();
    QList<QPushButton*> buttons;
    for (QPushButton* button : dialog ? dialog->findChild<QTableView*>("tblView_GraphFeatures")->findChildren<QPushButton*>() : buttons)
        if (button->isEnabled())
            buttons.append(button);
    if (buttons.isEmpty())
        return;
    const bool yes = m.pick(5);
    dialog->setAnswerProvider([yes](const QString&, const QString&) { return yes ? QMessageBox::Yes : QMessageBox::No; });
    QStringList reported;
    dialog->setMessageReporter([&reported](QWidget*, const QString&, const QString& text) { reported.append(text); });
    const int windows = dialog->findChildren<QMainWindow*>().size();
    QPushButton* button = buttons[m.pick(buttons.size())];
    const bool inspect = button->text() == QLatin1String("inspect");
    m.note(QStringLiteral("  %1 %2").arg(button->text(), button->property("measure").toString()));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(reported.isEmpty(), inspect || !dialog->getConnectivityObject()->getMatrices().empty());
    QCOMPARE(dialog->findChildren<QMainWindow*>().size(), windows + inspect);
}

void closePlotWindow(Monkey& m)
{
    if (QWidget* plot = m.pick(3) ? static_cast<QWidget*>(m.anyOf<QMainWindow>()) : m.anyOf<ViewMatrix>())
        plot->close();
}

// The circular plot's options are enabled while it is shown.
void check(Monkey&)
{
    for (ConnectivityObjectUI* dialog : Monkey::visible<ConnectivityObjectUI>()) {
        const auto* plot = dialog->findChild<CircularPlot*>();
        QCOMPARE(dialog->findChild<QGroupBox*>("groupbox_CircularPlot")->isEnabled(), plot && plot->isVisible());
    }
}

} // namespace

MonkeyPart subjectDialogPart()
{
    return {{{"Visualize or change a plot option", 6, visualizeOrChangeAnOption},
             {"compute or inspect a measure", 6, computeOrInspect},
             {"close a plot window", 2, closePlotWindow}},
            check};
}
