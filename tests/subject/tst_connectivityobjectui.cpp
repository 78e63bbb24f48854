#include "circularplot/circularplot.h"
#include "circularplot/qxtspanslider.h"
#include "plots/viewmatrix.h"
#include "study/connectivityobject.h"
#include "study/studymanifestreader.h"
#include "study/subjectrecord.h"
#include "subject/connectivityobjectui.h"
#include "testfolder.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <memory>

using namespace testmanifest;

class tst_ConnectivityObjectUI : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void formMatchesTheLayout_data();
    void formMatchesTheLayout();
    void tabsAreInOrderWithNodesAndFilterSwitchedOff();
    void matrixVisualizeTwiceKeepsOneViewer();
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
    // Writes a three-node subject with the given matrix files, loads it and
    // opens its dialog the way the main window does.
    ConnectivityObjectUI* openSubject(const QStringList& matrixFiles = {"rest.csv", "task.csv"});
    ConnectivityObjectUI* dialog() const { return qobject_cast<ConnectivityObjectUI*>(m_subject->dialog()); }
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

    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<SubjectRecord> m_record;
    std::unique_ptr<ConnectivityObject> m_subject;
};

ConnectivityObjectUI* tst_ConnectivityObjectUI::openSubject(const QStringList& matrixFiles)
{
    m_folder = std::make_unique<TestFolder>();
    Eigen::Matrix3f matrix;
    matrix << 0.f, 0.4f, 0.9f, 0.4f, 0.f, 0.2f, 0.9f, 0.2f, 0.f;
    for (const QString& file : matrixFiles)
        m_folder->write(file, csv(matrix));
    const QString path = writeManifest(m_folder->path(), validManifest("sub-07", {"Cuneus_L", "Cuneus_R", "Insula_L"},
                                                                        matrixFiles));

    m_record = std::make_unique<SubjectRecord>(readStudyManifest(path.toStdString()),
                                               QFileInfo(path).absolutePath().toStdString(), "manifest.json");
    m_subject = std::make_unique<ConnectivityObject>(m_record.get(), nullptr);
    if (!m_subject->loadMatrices())
        qFatal("test subject did not load: %s", qPrintable(m_subject->errorString()));
    m_subject->setDialogFactory([](ConnectivityObject* subject) {
        auto* dialog = new ConnectivityObjectUI(subject);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        return dialog;
    });
    m_subject->openUI();
    return dialog();
}

void tst_ConnectivityObjectUI::cleanup()
{
    m_subject.reset();
    m_record.reset();
    m_folder.reset();
}

void tst_ConnectivityObjectUI::formMatchesTheLayout_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("expected");

    const QString note = "background-color: #feffbb;\ncolor: rgb(0, 0, 0);\npadding: 5px;";
    QTest::newRow("title") << "ConnectivityObjectUI" << QByteArray("windowTitle") << QVariant("Dialog");
    QTest::newRow("options title keeps one ampersand on screen")
        << "groupbox_CircularPlot" << QByteArray("title") << QVariant("Nodes && Edges");
    QTest::newRow("options start disabled") << "groupbox_CircularPlot" << QByteArray("enabled") << QVariant(false);
    QTest::newRow("matrix button") << "pb_PlotConnMtx" << QByteArray("text") << QVariant("Visualize");
    QTest::newRow("note style") << "label_15" << QByteArray("styleSheet") << QVariant(note);
    QTest::newRow("note width") << "label_16" << QByteArray("minimumWidth") << QVariant(350);
    QTest::newRow("lower label from the form") << "lbl_Spanner_Low" << QByteArray("text") << QVariant("0.0");
    QTest::newRow("labels shown") << "chkBox_CircPlot_ShowLabels" << QByteArray("checked") << QVariant(true);
    QTest::newRow("colours by weight off") << "chkBox_CircPlot_ConnColors" << QByteArray("checked") << QVariant(false);
    QTest::newRow("multiplier") << "sBox_CircPlot_ThicknessMultiplier" << QByteArray("value") << QVariant(5.0);
    QTest::newRow("fixed thickness step") << "dsBox_CircPlot_EdgesThickness" << QByteArray("singleStep")
                                          << QVariant(0.5);
    QTest::newRow("node size ceiling") << "sBox_CircPlot_NodesSize" << QByteArray("maximum") << QVariant(99);
    QTest::newRow("filtered matrix") << "ckBox_UseFilteredMatrix" << QByteArray("text")
                                     << QVariant("Use filtered matrix");
    QTest::newRow("range mnemonic") << "groupBox" << QByteArray("title") << QVariant("W&ithin Range");
    QTest::newRow("percentage mnemonic") << "groupBox_2" << QByteArray("title") << QVariant("Percen&tage");
    QTest::newRow("percentage") << "sBox_FilterPerc_Perc" << QByteArray("value") << QVariant(85);
    QTest::newRow("span slider range") << "widget_CircPlot_Spanner" << QByteArray("maximum") << QVariant(1000);
    QTest::newRow("span at the top") << "widget_CircPlot_Spanner" << QByteArray("upperValue") << QVariant(1000);
}

void tst_ConnectivityObjectUI::formMatchesTheLayout()
{
    QFETCH(QString, objectName);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, expected);

    ConnectivityObjectUI* window = openSubject();
    QObject* object = objectName == window->objectName() ? window : window->findChild<QObject*>(objectName);
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
    QCOMPARE(spanSlider()->orientation(), Qt::Horizontal);

    QVERIFY(widget<QWidget>("tab_Visualization")->isEnabled());
    QVERIFY(widget<QWidget>("tab_GraphFeatures")->isEnabled());
    QVERIFY(!widget<QWidget>("tab_Nodes")->isEnabled());
    QVERIFY(!widget<QWidget>("tab_Filter")->isEnabled());
    // Only the pages are off: their headers can still be chosen.
    QVERIFY(tabs->isTabEnabled(2));
    QVERIFY(tabs->isTabEnabled(3));
}

void tst_ConnectivityObjectUI::matrixVisualizeTwiceKeepsOneViewer()
{
    openSubject();

    QTest::ignoreMessage(QtDebugMsg, "void ConnectivityObjectUI::plotConnectivityMatrix(bool)");
    click("pb_PlotConnMtx");
    const QList<ViewMatrix*> first = dialog()->findChildren<ViewMatrix*>();
    QCOMPARE(first.size(), 1);
    QVERIFY(first.first()->isVisible());
    QVERIFY(!first.first()->testAttribute(Qt::WA_DeleteOnClose));

    first.first()->close();
    QTest::ignoreMessage(QtDebugMsg, "void ConnectivityObjectUI::plotConnectivityMatrix(bool)");
    click("pb_PlotConnMtx");
    QCOMPARE(dialog()->findChildren<ViewMatrix*>(), first);
    QVERIFY(first.first()->isVisible());
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
    QTest::newRow("one step from each end") << 1 << 999 << "0.001" << "0.999";
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
    QVERIFY(!m_subject->dialog());

    // The next request builds a fresh dialog with nothing open.
    m_subject->openUI();
    QVERIFY(dialog());
    QVERIFY(dialog()->findChildren<CircularPlot*>().isEmpty());
    QVERIFY(!optionsEnabled());
}

void tst_ConnectivityObjectUI::subjectWithoutMatricesOpensItsDialog()
{
    QVERIFY(openSubject({}));
    QVERIFY(dialog()->isVisible());
    QCOMPARE(dialog()->getConnectivityObject(), m_subject.get());

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
