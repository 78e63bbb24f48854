#include "circularplot/circularplot.h"
#include "circularplot/circularplotwidget.h"
#include "circularplot/mygraphicssimpletextitem.h"
#include "circularplot/qxtspanslider.h"
#include "plots/viewmatrix.h"
#include "subject/connectivityobjectui.h"
#include "testsubject.h"

#include <QtWidgets>
#include <QtTest>
#include <QtCharts>

class tst_ConnectivityObjectUI : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { m_subject.reset(); }

    void opensWithOptionsOffAndInertPages()
    {
        ConnectivityObjectUI* window = open();
        QCOMPARE(window->windowTitle(), QString("Dialog"));
        QVERIFY(!optionsEnabled());
        QVERIFY(!child<QWidget>("tab_Nodes")->isEnabled());
        QVERIFY(!child<QWidget>("tab_Filter")->isEnabled());

        auto* useFiltered = child<QCheckBox>("ckBox_UseFilteredMatrix");
        QVERIFY(!useFiltered->isEnabled());
        const int children = window->findChildren<QObject*>().size();
        useFiltered->toggle();
        useFiltered->toggle();
        QCOMPARE(window->findChildren<QObject*>().size(), children);
        // Without a plot the labels do not follow the span yet.
        QCOMPARE(spanAfter(250, 750), QString("0.0 1.0"));
    }

    void visualizeReusesItsWindowsAndFollowsTheSpan()
    {
        open();
        click("pb_PlotConnMtx");
        click("pb_PlotConnMtx");
        QCOMPARE(dialog()->findChildren<ViewMatrix*>().size(), 1);

        click("pb_CircularPlotConnMtx");
        QVERIFY(optionsEnabled());
        QCOMPARE(spanAfter(250, 750), QString("0.25 0.75"));
        QCOMPARE(spanAfter(0, 1000), QString("0 1"));
        QPointer<CircularPlot> plot = dialog()->findChild<CircularPlot*>();
        QVERIFY(plot);
        expectOptionsReach(plot->plotWidget());
        plot->close();
        QVERIFY(plot && !optionsEnabled());

        click("pb_CircularPlotConnMtx");
        QVERIFY(optionsEnabled());
        QCOMPARE(dialog()->findChildren<CircularPlot*>(), QList<CircularPlot*>{plot.data()});
        QVERIFY(plot->isVisible());
    }

    void optionsWithoutPlotWindowDoNothing()
    {
        open();
        child<QCheckBox>("chkBox_CircPlot_ShowLabels")->toggle();
        child<QCheckBox>("chkBox_CircPlot_ConnWeights")->toggle();
        child<QCheckBox>("chkBox_CircPlot_ConnColors")->toggle();
        child<QSpinBox>("sBox_CircPlot_NodesSize")->setValue(20);
        child<QDoubleSpinBox>("sBox_CircPlot_ThicknessMultiplier")->setValue(2.5);
        child<QDoubleSpinBox>("dsBox_CircPlot_EdgesThickness")->setValue(3.5);
        QVERIFY(dialog()->findChildren<CircularPlot*>().isEmpty());
    }

    void closingDeletesTheDialogAndItsWindows()
    {
        QPointer<ConnectivityObjectUI> closed = open();
        click("pb_PlotConnMtx");
        click("pb_CircularPlotConnMtx");
        QPointer<ViewMatrix> viewer = closed->findChild<ViewMatrix*>();
        QPointer<CircularPlot> plot = closed->findChild<CircularPlot*>();
        QVERIFY(viewer && plot);

        click("pb_Close");
        QTRY_VERIFY(closed.isNull());
        QVERIFY(viewer.isNull() && plot.isNull() && !dialog());
        m_subject->subject->openUI();
        QVERIFY(dialog() && dialog()->findChildren<CircularPlot*>().isEmpty());
    }

    void subjectWithoutMatricesOpensItsDialog()
    {
        QVERIFY(open(0)->isVisible());
        click("pb_PlotConnMtx");
        click("pb_CircularPlotConnMtx");
        QVERIFY(optionsEnabled());
    }

private:
    // Opens the dialog of a three-node subject the way the main window does.
    ConnectivityObjectUI* open(int matrices = 2)
    {
        m_subject = std::make_unique<TestSubject>(TestSubject::regions(3), std::vector<Eigen::MatrixXf>(
                                                      std::size_t(matrices), Eigen::MatrixXf::Constant(3, 3, 0.5f)));
        m_subject->subject->setDialogFactory([](ConnectivityObject* subject) {
            auto* dialog = new ConnectivityObjectUI(subject);
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            return dialog;
        });
        m_subject->subject->openUI();
        return dialog();
    }

    // Each option control changes the open plot (the edges weigh 0.5).
    void expectOptionsReach(CircularPlotWidget* widget) const
    {
        const QtCharts::QSplineSeries* edge = widget->edgeList().front();
        auto* labels = child<QCheckBox>("chkBox_CircPlot_ShowLabels");
        labels->toggle();
        QCOMPARE(widget->labelItems().front()->isVisible(), labels->isChecked());
        child<QSpinBox>("sBox_CircPlot_NodesSize")->setValue(20);
        QCOMPARE(widget->nodesSeries()->markerSize(), 20.0);
        child<QDoubleSpinBox>("sBox_CircPlot_ThicknessMultiplier")->setValue(2.5);
        QCOMPARE(edge->property("pen-width").toDouble(), 1.25);
        child<QCheckBox>("chkBox_CircPlot_ConnWeights")->toggle();
        child<QDoubleSpinBox>("dsBox_CircPlot_EdgesThickness")->setValue(3.5);
        QCOMPARE(edge->property("pen-width").toDouble(), 3.5);
        child<QCheckBox>("chkBox_CircPlot_ConnColors")->toggle();
        QCOMPARE(edge->pen().color(), edge->property("cmap-color").value<QColor>());
    }

    ConnectivityObjectUI* dialog() const { return qobject_cast<ConnectivityObjectUI*>(m_subject->subject->dialog()); }
    template <typename T>
    T* child(const char* name) const
    {
        T* found = dialog()->findChild<T*>(name);
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }

    void click(const char* button) const { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    bool optionsEnabled() const { return child<QGroupBox>("groupbox_CircularPlot")->isEnabled(); }
    QString spanAfter(int lower, int upper) const
    {
        child<QxtSpanSlider>("widget_CircPlot_Spanner")->setSpan(lower, upper);
        return child<QLabel>("lbl_Spanner_Low")->text() + " " + child<QLabel>("lbl_Spanner_Upper")->text();
    }

    std::unique_ptr<TestSubject> m_subject;
};

QTEST_MAIN(tst_ConnectivityObjectUI)
#include "tst_connectivityobjectui.moc"
