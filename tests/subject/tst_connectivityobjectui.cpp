#include "circularplot/circularplot.h"
#include "circularplot/qxtspanslider.h"
#include "plots/viewmatrix.h"
#include "subject/connectivityobjectui.h"
#include "testsubject.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>


class tst_ConnectivityObjectUI : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void formMatchesTheLayout_data();
    void formMatchesTheLayout();
    void tabsAreInOrderWithNodesAndFilterSwitchedOff();
    void closingCircularPlotGreysOutOptionsUntilVisualizedAgain();
    void spanIsShownInThousandths_data();
    void spanIsShownInThousandths();
    void spanBeforeThePlotLeavesTheLabels();
    void useFilteredMatrixIsDisabledAndInert();
    void optionsWithoutPlotWindowDoNothing();
    void closingDeletesTheDialogAndItsWindows();
    void subjectWithoutMatricesOpensItsDialog();
    void dialogWithoutSubjectDrawsNoCircularPlot();

private:
    // Writes a three-node subject with the given number of matrices, loads
    // it and opens its dialog the way the main window does.
    ConnectivityObjectUI* openSubject(int matrices = 2);
    ConnectivityObject* subject() const { return m_subject->subject.get(); }
    ConnectivityObjectUI* dialog() const { return qobject_cast<ConnectivityObjectUI*>(subject()->dialog()); }
    template <typename T>
    T* widget(const char* name) const
    {
        T* found = dialog()->findChild<T*>(name);
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }
    void click(const char* buttonName) const { QTest::mouseClick(widget<QPushButton>(buttonName), Qt::LeftButton); }
    QxtSpanSlider* spanSlider() const { return widget<QxtSpanSlider>("widget_CircPlot_Spanner"); }
    bool optionsEnabled() const { return widget<QGroupBox>("groupbox_CircularPlot")->isEnabled(); }

    std::unique_ptr<TestSubject> m_subject;
};

ConnectivityObjectUI* tst_ConnectivityObjectUI::openSubject(int matrices)
{
    Eigen::Matrix3f matrix;
    matrix << 0.f, 0.4f, 0.9f, 0.4f, 0.f, 0.2f, 0.9f, 0.2f, 0.f;
    m_subject = std::make_unique<TestSubject>(QStringList{"Cuneus_L", "Cuneus_R", "Insula_L"},
                                              std::vector<Eigen::MatrixXf>(std::size_t(matrices), matrix));
    subject()->setDialogFactory([](ConnectivityObject* subject) {
        auto* dialog = new ConnectivityObjectUI(subject);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        return dialog;
    });
    subject()->openUI();
    return dialog();
}

void tst_ConnectivityObjectUI::cleanup()
{
    m_subject.reset();
}

void tst_ConnectivityObjectUI::formMatchesTheLayout_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("expected");

    // What the code relies on or a user would miss; the rest of the form
    // is checked by looking at it.
    QTest::newRow("options title keeps one ampersand on screen")
        << "groupbox_CircularPlot" << QByteArray("title") << QVariant("Nodes && Edges");
    QTest::newRow("options start disabled") << "groupbox_CircularPlot" << QByteArray("enabled") << QVariant(false);
    QTest::newRow("lower label from the form") << "lbl_Spanner_Low" << QByteArray("text") << QVariant("0.0");
    QTest::newRow("span slider range") << "widget_CircPlot_Spanner" << QByteArray("maximum") << QVariant(1000);
    QTest::newRow("span at the top") << "widget_CircPlot_Spanner" << QByteArray("upperValue") << QVariant(1000);
}

void tst_ConnectivityObjectUI::formMatchesTheLayout()
{
    QFETCH(QString, objectName);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, expected);

    ConnectivityObjectUI* window = openSubject();
    QObject* object = window->findChild<QObject*>(objectName);
    QVERIFY2(object, qPrintable(objectName));
    QCOMPARE(object->property(property.constData()), expected);
}

void tst_ConnectivityObjectUI::tabsAreInOrderWithNodesAndFilterSwitchedOff()
{
    openSubject();
    auto* tabs = widget<QTabWidget>("tabWidget");

    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i)
        texts.append(tabs->tabText(i));
    QCOMPARE(texts, (QStringList{"Visualization", "Kestrel", "Nodes", "Fliter"}));
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(widget<QWidget>("tab_GraphFeatures")->isEnabled());
    QVERIFY(!widget<QWidget>("tab_Nodes")->isEnabled());
    QVERIFY(!widget<QWidget>("tab_Filter")->isEnabled());
    // Only the pages are off: their headers can still be chosen.
    QVERIFY(tabs->isTabEnabled(2));
    QVERIFY(tabs->isTabEnabled(3));
}

void tst_ConnectivityObjectUI::closingCircularPlotGreysOutOptionsUntilVisualizedAgain()
{
    openSubject();
    QVERIFY(!optionsEnabled());

    click("pb_CircularPlotConnMtx");
    QVERIFY(optionsEnabled());
    const QList<CircularPlot*> plots = dialog()->findChildren<CircularPlot*>();
    QCOMPARE(plots.size(), 1);
    QPointer<CircularPlot> plot = plots.first();
    QVERIFY(plot->isVisible());

    plot->close();
    QVERIFY(!optionsEnabled());
    QVERIFY(plot);
    QVERIFY(!plot->isVisible());

    click("pb_CircularPlotConnMtx");
    QVERIFY(optionsEnabled());
    QCOMPARE(dialog()->findChildren<CircularPlot*>(), QList<CircularPlot*>{plot.data()});
    QVERIFY(plot->isVisible());
}

void tst_ConnectivityObjectUI::spanIsShownInThousandths_data()
{
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<QString>("lowerText");
    QTest::addColumn<QString>("upperText");

    QTest::newRow("quarter to three quarters") << 250 << 750 << "0.25" << "0.75";
    QTest::newRow("full range has no decimals") << 0 << 1000 << "0" << "1";
    QTest::newRow("both handles together") << 500 << 500 << "0.5" << "0.5";
}

void tst_ConnectivityObjectUI::spanIsShownInThousandths()
{
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(QString, lowerText);
    QFETCH(QString, upperText);

    openSubject();
    click("pb_CircularPlotConnMtx");
    // Start away from the wanted span so that setting it is a change.
    spanSlider()->setSpan(100, 900);
    spanSlider()->setSpan(lower, upper);

    QCOMPARE(widget<QLabel>("lbl_Spanner_Low")->text(), lowerText);
    QCOMPARE(widget<QLabel>("lbl_Spanner_Upper")->text(), upperText);
}

void tst_ConnectivityObjectUI::spanBeforeThePlotLeavesTheLabels()
{
    openSubject();
    spanSlider()->setSpan(250, 750);

    QCOMPARE(widget<QLabel>("lbl_Spanner_Low")->text(), QString("0.0"));
    QCOMPARE(widget<QLabel>("lbl_Spanner_Upper")->text(), QString("1.0"));
}

void tst_ConnectivityObjectUI::useFilteredMatrixIsDisabledAndInert()
{
    openSubject();
    auto* useFiltered = widget<QCheckBox>("ckBox_UseFilteredMatrix");
    QVERIFY(!useFiltered->isEnabled());

    widget<QTabWidget>("tabWidget")->setCurrentIndex(1);
    QTest::mouseClick(useFiltered, Qt::LeftButton);
    QVERIFY(!useFiltered->isChecked());

    const int children = dialog()->findChildren<QObject*>().size();
    useFiltered->setChecked(true);
    useFiltered->setChecked(false);
    QCOMPARE(dialog()->findChildren<QObject*>().size(), children);
    QVERIFY(!optionsEnabled());
}

void tst_ConnectivityObjectUI::optionsWithoutPlotWindowDoNothing()
{
    openSubject();

    widget<QCheckBox>("chkBox_CircPlot_ShowLabels")->setChecked(false);
    widget<QCheckBox>("chkBox_CircPlot_ConnWeights")->setChecked(false);
    widget<QCheckBox>("chkBox_CircPlot_ConnColors")->setChecked(true);
    widget<QSpinBox>("sBox_CircPlot_NodesSize")->setValue(20);
    widget<QDoubleSpinBox>("sBox_CircPlot_ThicknessMultiplier")->setValue(2.5);
    widget<QDoubleSpinBox>("dsBox_CircPlot_EdgesThickness")->setValue(3.5);

    QVERIFY(dialog()->findChildren<CircularPlot*>().isEmpty());
    QVERIFY(!optionsEnabled());
}

void tst_ConnectivityObjectUI::closingDeletesTheDialogAndItsWindows()
{
    openSubject();
    QTest::ignoreMessage(QtDebugMsg, "void ConnectivityObjectUI::plotConnectivityMatrix(bool)");
    click("pb_PlotConnMtx");
    click("pb_CircularPlotConnMtx");
    QPointer<ConnectivityObjectUI> closed = dialog();
    QPointer<ViewMatrix> viewer = closed->findChild<ViewMatrix*>();
    QPointer<CircularPlot> plot = closed->findChild<CircularPlot*>();
    QVERIFY(viewer && plot);

    click("pb_Close");
    QTRY_VERIFY(closed.isNull());
    QVERIFY(viewer.isNull());
    QVERIFY(plot.isNull());
    QVERIFY(!subject()->dialog());

    // The next request builds a fresh dialog with nothing open.
    subject()->openUI();
    QVERIFY(dialog());
    QVERIFY(dialog()->findChildren<CircularPlot*>().isEmpty());
    QVERIFY(!optionsEnabled());
}

void tst_ConnectivityObjectUI::subjectWithoutMatricesOpensItsDialog()
{
    QVERIFY(openSubject(0));
    QVERIFY(dialog()->isVisible());
    QCOMPARE(dialog()->getConnectivityObject(), subject());

    QTest::ignoreMessage(QtDebugMsg, "void ConnectivityObjectUI::plotConnectivityMatrix(bool)");
    click("pb_PlotConnMtx");
    click("pb_CircularPlotConnMtx");
    QVERIFY(optionsEnabled());
}

void tst_ConnectivityObjectUI::dialogWithoutSubjectDrawsNoCircularPlot()
{
    ConnectivityObjectUI window(nullptr);
    window.show();
    QTest::mouseClick(window.findChild<QPushButton*>("pb_CircularPlotConnMtx"), Qt::LeftButton);

    QVERIFY(window.findChildren<CircularPlot*>().isEmpty());
    QVERIFY(!window.findChild<QGroupBox*>("groupbox_CircularPlot")->isEnabled());
}

QTEST_MAIN(tst_ConnectivityObjectUI)
#include "tst_connectivityobjectui.moc"
