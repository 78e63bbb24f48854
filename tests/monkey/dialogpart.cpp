// The monkey's steps through a subject's window and the windows it opens.
#include "monkey.h"

#include "circularplot/circularplot.h"
#include "plots/viewmatrix.h"
#include "study/connectivityobject.h"
#include "subject/connectivityobjectui.h"

#include <QGroupBox>
#include <QTableView>

// Opens the matrix viewer or the circular plot (one of each per subject
// window), closes a window, or presses an enabled "compute" or
// "inspect": a subject without matrices has nothing to compute, and
// "inspect" opens a plot.
void subjectDialogStep(Monkey& m)
{
    ConnectivityObjectUI* dialog = m.anyOf<ConnectivityObjectUI>();
    const int action = m.pick(5);
    if (!dialog || action == 0) {
        // Closing deletes a subject window, and with it its plots.
        QWidget* plot = m.pick(3) ? static_cast<QWidget*>(m.anyOf<QMainWindow>()) : m.anyOf<ViewMatrix>();
        QPointer<QWidget> window = m.pick(4) ? plot : dialog;
        m.note(QStringLiteral("close %1").arg(window ? window->metaObject()->className() : "nothing"));
        if (window)
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window || window != dialog);
        return;
    }
    QList<QPushButton*> measures;
    for (QPushButton* button : dialog->findChild<QTableView*>("tblView_GraphFeatures")->findChildren<QPushButton*>())
        if (button->isEnabled())
            measures << button;
    const char* const plot = m.pick(2) ? "pb_PlotConnMtx" : "pb_CircularPlotConnMtx";
    QPushButton* button = action > 1 ? measures.value(m.pick(measures.size())) : dialog->findChild<QPushButton*>(plot);
    QVERIFY(button);
    m.note(button->text() + ' ' + button->property("measure").toString());
    QStringList reported;
    dialog->setMessageReporter([&reported](QWidget*, const QString&, const QString& text) { reported << text; });
    const int windows = dialog->findChildren<QMainWindow*>().size();
    QTest::mouseClick(button, Qt::LeftButton);
    const bool inspect = button->text() == QLatin1String("inspect");
    QCOMPARE(reported.isEmpty(), action == 1 || inspect || !dialog->getConnectivityObject()->getMatrices().empty());
    if (action > 1)
        QCOMPARE(dialog->findChildren<QMainWindow*>().size(), windows + inspect);
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
