#include "circularplot/circularplot.h"

#include "circularplot/circularplotwidget.h"
#include "circularplot/myslider.h"
#include "study/subjectsource.h"
#include "testsubject.h"

#include <QFileDialog>
#include <QGraphicsSimpleTextItem>
#include <QMenu>
#include <QSplineSeries>
#include <QStatusBar>
#include <QStyleOptionSlider>
#include <QtTest>

namespace {

// The subject's dialog with its plot window. Matrix k connects all five nodes
// with weight (k + 1) / 10; with matrices = -1 there is no subject.
class SubjectHost : public QWidget, public SubjectSource {
public:
    SubjectHost(const QList<TestCondition>& conditions = {}, int matrices = 3)
    {
        std::vector<Eigen::MatrixXf> list;
        for (int k = 0; k < matrices; ++k)
            list.push_back(Eigen::MatrixXf::Constant(5, 5, float(k + 1) / 10.0f));
        if (matrices >= 0)
            data = std::make_unique<TestSubject>(TestSubject::regions(5), list, conditions);
        window.initConditionsSlider();
        window.initNodeNames();
        window.initPlot();
        window.show();
    }
    ConnectivityObject* getConnectivityObject() const override { return data ? data->subject.get() : nullptr; }

    double plotted() const { return plot->edgeList().isEmpty() ? -1.0 : plot->edgeList()[0]->property("value").toDouble(); }
    QString message() const // the trigger's caption, if shown, and the status bar's message
    {
        const QGraphicsSimpleTextItem* caption = plot->triggerCaption();
        return (caption && caption->isVisible() ? caption->text() : QString()) + window.statusBar()->currentMessage();
    }
    // Moves the slider without plotting, then clicks its handle.
    void releaseAt(int position)
    {
        slider->setValue(position);
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = position;
        QTest::mouseClick(slider, Qt::LeftButton, {},
            slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center());
    }

    std::unique_ptr<TestSubject> data;
    CircularPlot window{this}; // made before the subject: set up again above
    MySlider* slider = window.findChild<MySlider*>();
    CircularPlotWidget* plot = window.plotWidget();
};

} // namespace

class tst_CircularPlot : public QObject {
    Q_OBJECT

private slots:
    void withoutProtocol_data();
    void withoutProtocol();
    void releasePlotsThatPosition_data();
    void releasePlotsThatPosition();
    void exportImage_data();
    void exportImage();
};

void tst_CircularPlot::withoutProtocol_data()
{
    QTest::addColumn<int>("matrices");
    QTest::addColumn<double>("value");
    QTest::newRow("first slice") << 3 << double(0.1f);
    QTest::newRow("no matrices: an empty plot") << 0 << -1.0;
    QTest::newRow("no subject: everything is ignored") << -1 << -1.0;
}

void tst_CircularPlot::withoutProtocol()
{
    QFETCH(int, matrices);
    QFETCH(double, value);
    SubjectHost host({}, matrices);
    QCOMPARE(host.slider->isHidden(), matrices >= 0);
    if (matrices < 0)
        host.releaseAt(2);
    QCOMPARE(host.plotted(), value);
    QCOMPARE(host.plot->labelItems().size(), matrices > 0 ? 5 : 0);
    // The range is in thousandths, its bounds strict; 0.1f widens to 0.10000000149...
    for (auto [lower, upper, visible] : {std::tuple{100, 750, true}, {50, 100, false}, {150, 1000, false}}) {
        host.window.displayRangeChanged(lower, upper);
        for (QtCharts::QSplineSeries* edge : host.plot->edgeList())
            QCOMPARE(edge->isVisible(), visible);
    }
    QSignalSpy closing(&host.window, &CircularPlot::closingWindow);
    host.window.close();
    QCOMPARE(closing.count(), 1);
}

void tst_CircularPlot::releasePlotsThatPosition_data()
{
    QTest::addColumn<int>("thirdType");
    QTest::addColumn<int>("matrices");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("condition") << 1 << 3 << double(0.3f) << QString();
    QTest::newRow("trigger: its caption only") << 2 << 3 << -1.0 << "Trigger \"Third\"";
    QTest::newRow("no matrix") << 1 << 2 << double(0.1f) << "No matrix for condition \"Third\"";
}

void tst_CircularPlot::releasePlotsThatPosition()
{
    QFETCH(int, thirdType);
    QFETCH(int, matrices);
    QFETCH(double, value);
    QFETCH(QString, message);
    SubjectHost host({{"First", 1}, {"Second", 1}, {"Third", thirdType}}, matrices);
    QCOMPARE(host.slider->labels(), (QStringList{"First", "Second", "Third"}));
    // Keys move the slider without plotting.
    host.slider->setFocus();
    QTest::keyClick(host.slider, Qt::Key_End);
    QCOMPARE(host.slider->value(), 3);
    QCOMPARE(host.plotted(), double(0.1f));

    host.releaseAt(3);
    QCOMPARE(host.plotted(), value);
    QCOMPARE(host.message(), message);
    QCOMPARE(host.plot->labelItems().isEmpty(), thirdType == 2);
    host.releaseAt(2);
    QCOMPARE(host.plotted(), double(0.2f));
    QCOMPARE(host.message(), QString());
}

void tst_CircularPlot::exportImage_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("dialog adds the suffix") << false << true << "plot" << QStringList{"plot.png"};
    QTest::newRow("context menu") << true << true << "menu.png" << QStringList{"menu.png"};
    QTest::newRow("cancelled") << false << false << "cancelled" << QStringList();
}

void tst_CircularPlot::exportImage()
{
    QFETCH(bool, fromMenu);
    QFETCH(bool, accepted);
    QFETCH(QString, chosen);
    QFETCH(QStringList, written);
    TestFolder folder;
    SubjectHost host;
    QStringList dialog;
    host.window.setFileDialogRunner([&](QFileDialog& d) {
        dialog = QStringList{d.windowTitle()} + d.nameFilters();
        d.selectFile(folder.filePath(chosen));
        return accepted;
    });
    if (fromMenu) {
        QTimer::singleShot(0, this, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            menu->close();
            QCOMPARE(menu->actions().value(0)->text(), QStringLiteral("Export to image..."));
            menu->actions().value(0)->trigger();
        });
        emit host.window.customContextMenuRequested(QPoint(100, 100));
    } else {
        host.window.saveImage();
    }
    QCOMPARE(dialog, (QStringList{"Save as...", "PNG (*.png)"}));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), written);
    QVERIFY(written.isEmpty() || QImage(folder.filePath(written[0])).size() == host.plot->size());
}

QTEST_MAIN(tst_CircularPlot)
#include "tst_circularplot.moc"
