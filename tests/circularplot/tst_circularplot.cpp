#include "circularplot/circularplot.h"

#include "circularplot/circularplotwidget.h"
#include "circularplot/myslider.h"
#include "study/connectivityobject.h"
#include "study/studymanifestreader.h"
#include "study/subjectsource.h"
#include "testfolder.h"

#include <QFileDialog>
#include <QGraphicsSimpleTextItem>
#include <QJsonArray>
#include <QMenu>
#include <QSplineSeries>
#include <QStatusBar>
#include <QStyleOptionSlider>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

using namespace testmanifest;

namespace {

struct Condition {
    QString name;
    int type;
};

// The subject's dialog as the window sees it: a widget that gives a subject.
class SubjectHost : public QWidget, public SubjectSource {
public:
    ConnectivityObject* getConnectivityObject() const override { return object.get(); }

    std::unique_ptr<SubjectRecord> record;
    std::unique_ptr<ConnectivityObject> object;
};

// Matrix k connects every pair of nodes with weight (k + 1) / 10, so the
// edges' value tells which matrix is on screen.
void makeSubject(SubjectHost& host, TestFolder& folder, const QVector<Condition>& conditions, int matrices)
{
    constexpr int kNodes = 5;
    QStringList voiNames;
    for (int i = 0; i < kNodes; ++i)
        voiNames.append(QStringLiteral("Region %1").arg(i));
    QStringList files;
    for (int k = 0; k < matrices; ++k) {
        Eigen::MatrixXf matrix = Eigen::MatrixXf::Constant(kNodes, kNodes, float(k + 1) / 10.0f);
        matrix.diagonal().setOnes();
        files.append(QStringLiteral("matrix-%1.csv").arg(k));
        folder.write(files.last(), csv(matrix));
    }
    QJsonObject manifest = validManifest(QStringLiteral("sub-test"), voiNames, files);
    QJsonArray ordered;
    for (int k = 0; k < conditions.size(); ++k)
        ordered.append(QJsonObject{{"t", 10 * k}, {"name", conditions[k].name}, {"type", conditions[k].type}});
    setKey(manifest, QStringLiteral("configuration.uses_proto"), !conditions.isEmpty());
    setKey(manifest, QStringLiteral("configuration.ordered_conditions"), ordered);
    const QString path = writeManifest(folder.path(), manifest);
    host.record = std::make_unique<SubjectRecord>(
        readStudyManifest(path.toStdString()), folder.path().toStdString(), "manifest.json");
    host.object = std::make_unique<ConnectivityObject>(host.record.get(), nullptr);
    QVERIFY2(host.object->loadMatrices(), qPrintable(host.object->errorString()));
}

// The value of the edges on screen (all equal), or -1 without edges.
double plottedValue(const CircularPlot& window)
{
    const QList<QtCharts::QSplineSeries*>& edges = window.plotWidget()->edgeList();
    return edges.isEmpty() ? -1.0 : edges.first()->property("value").toDouble();
}

MySlider* conditionsSlider(const CircularPlot& window)
{
    return window.findChild<MySlider*>(QStringLiteral("hSlider_Conditions"));
}

// Presses and releases the mouse on the slider's handle.
void releaseHandle(MySlider* slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.subControls = QStyle::SC_All;
    const QRect handle = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, handle.center());
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, handle.center());
}

const QString kStyleSheet = QStringLiteral(
    "QSlider::groove:horizontal {\n\tborder: 1px solid #bbb;\n\tbackground: white;\n\theight: 10px;\n\tborder-radius: "
    "4px;\n}\n\nQSlider::sub-page:horizontal {\n\tbackground: qlineargradient(x1: 0, y1: 0,    x2: 0, y2: 1,\n\t\tstop: "
    "0 #66e, stop: 1 #bbf);\n\tbackground: qlineargradient(x1: 0, y1: 0.2, x2: 1, y2: 1,\n\t\tstop: 0 #bbf, stop: 1 "
    "#55f);\n\tborder: 1px solid #777;\n\theight: 10px;\n\tborder-radius: 4px;\n}\n\nQSlider::add-page:horizontal "
    "{\n\tbackground: #fff;\n\tborder: 1px solid #777;\n\theight: 10px;\n\tborder-radius: "
    "4px;\n}\n\nQSlider::handle:horizontal {\n\tbackground: qlineargradient(x1:0, y1:0, x2:1, y2:1,\n\t\tstop:0 #eee, "
    "stop:1 #ccc);\n\tborder: 1px solid #777;\n\twidth: 13px;\n\tmargin-top: -2px;\n\tmargin-bottom: "
    "-2px;\n\tborder-radius: 4px;\n}\n\nQSlider::handle:horizontal:hover {\n\tbackground: qlineargradient(x1:0, "
    "y1:0, x2:1, y2:1,\n\t\tstop:0 #fff, stop:1 #ddd);\n\tborder: 1px solid #444;\n\tborder-radius: "
    "4px;\n}\n\nQSlider::sub-page:horizontal:disabled {\n\tbackground: #bbb;\n\tborder-color: "
    "#999;\n}\n\nQSlider::add-page:horizontal:disabled {\n\tbackground: #eee;\n\tborder-color: "
    "#999;\n}\n\nQSlider::handle:horizontal:disabled {\n\tbackground: #eee;\n\tborder: 1px solid "
    "#aaa;\n\tborder-radius: 4px;\n}\n");

} // namespace

class tst_CircularPlot : public QObject {
    Q_OBJECT

private slots:
    void form();
    void withoutProtocol_data();
    void withoutProtocol();
    void releasePlotsThatPosition_data();
    void releasePlotsThatPosition();
    void keyboardPlotsNothing();
    void positionWithoutMatrixIsNotPlotted();
    void displayRangeInThousandths();
    void exportAppendsTheSuffix();
    void exportFromTheContextMenu();
    void cancelledExportWritesNothing();
    void closingTellsTheDialog();
    void withoutSubjectEverythingIsIgnored();

private:
    std::unique_ptr<CircularPlot> open(SubjectHost& host);
};

std::unique_ptr<CircularPlot> tst_CircularPlot::open(SubjectHost& host)
{
    auto window = std::make_unique<CircularPlot>(&host);
    window->initNodeNames();
    window->initPlot();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}

void tst_CircularPlot::form()
{
    CircularPlot window;
    QCOMPARE(window.objectName(), QStringLiteral("CircularPlotWindow"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Connectivity Plot"));
    QCOMPARE(window.minimumSize(), QSize(700, 700));
    QCOMPARE(window.contextMenuPolicy(), Qt::CustomContextMenu);
    MySlider* slider = conditionsSlider(window);
    QVERIFY(slider);
    QCOMPARE(slider->styleSheet(), kStyleSheet);
    QCOMPARE(slider->pageStep(), 1);
    QCOMPARE(slider->minimumSize(), QSize(550, 150));
    auto* layout = window.findChild<QVBoxLayout*>(QStringLiteral("mainVLayout"));
    QVERIFY(layout);
    QCOMPARE(layout->itemAt(0)->widget(), window.plotWidget());
}

void tst_CircularPlot::withoutProtocol_data()
{
    QTest::addColumn<int>("matrices");
    QTest::addColumn<double>("value");
    QTest::newRow("first slice") << 3 << double(0.1f);
    QTest::newRow("no matrices: an empty plot") << 0 << -1.0;
}

void tst_CircularPlot::withoutProtocol()
{
    QFETCH(int, matrices);
    QFETCH(double, value);
    TestFolder folder;
    SubjectHost host;
    makeSubject(host, folder, {}, matrices);
    auto window = open(host);
    QVERIFY(window);

    QVERIFY(conditionsSlider(*window)->isHidden());
    QCOMPARE(plottedValue(*window), value);
    QVERIFY(!window->plotWidget()->triggerCaption());
    QCOMPARE(window->plotWidget()->labelItems().size(), matrices > 0 ? 5 : 0);
}

void tst_CircularPlot::releasePlotsThatPosition_data()
{
    QTest::addColumn<int>("thirdType");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("caption");
    QTest::newRow("condition") << 1 << double(0.3f) << QString();
    QTest::newRow("trigger") << 2 << -1.0 << QStringLiteral("Trigger \"Third\"");
}

void tst_CircularPlot::releasePlotsThatPosition()
{
    QFETCH(int, thirdType);
    QFETCH(double, value);
    QFETCH(QString, caption);
    TestFolder folder;
    SubjectHost host;
    makeSubject(host, folder, {{"First", 1}, {"Second", 1}, {"Third", thirdType}}, 3);
    auto window = open(host);
    QVERIFY(window);

    MySlider* slider = conditionsSlider(*window);
    QVERIFY(!slider->isHidden());
    QCOMPARE(slider->minimum(), 1);
    QCOMPARE(slider->maximum(), 3);
    QCOMPARE(slider->labels(), (QStringList{"First", "Second", "Third"}));
    QCOMPARE(plottedValue(*window), double(0.1f));

    slider->setValue(3);
    QCOMPARE(plottedValue(*window), double(0.1f));
    releaseHandle(slider);
    QCOMPARE(slider->value(), 3);
    QCOMPARE(plottedValue(*window), value);
    QGraphicsSimpleTextItem* shown = window->plotWidget()->triggerCaption();
    QCOMPARE(shown && shown->isVisible() ? shown->text() : QString(), caption);
}

void tst_CircularPlot::keyboardPlotsNothing()
{
    TestFolder folder;
    SubjectHost host;
    makeSubject(host, folder, {{"First", 1}, {"Second", 1}, {"Third", 1}}, 3);
    auto window = open(host);
    QVERIFY(window);
    MySlider* slider = conditionsSlider(*window);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_End);
    QCOMPARE(slider->value(), 3);
    QCOMPARE(plottedValue(*window), double(0.1f));
}

void tst_CircularPlot::positionWithoutMatrixIsNotPlotted()
{
    TestFolder folder;
    SubjectHost host;
    makeSubject(host, folder, {{"Rest", 1}, {"Task", 1}, {"Late", 1}}, 2);
    auto window = open(host);
    QVERIFY(window);
    MySlider* slider = conditionsSlider(*window);
    slider->setValue(3);
    releaseHandle(slider);
    QCOMPARE(plottedValue(*window), double(0.1f));
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("No matrix for condition \"Late\""));

    slider->setValue(2);
    releaseHandle(slider);
    QCOMPARE(plottedValue(*window), double(0.2f));
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
}

void tst_CircularPlot::displayRangeInThousandths()
{
    TestFolder folder;
    SubjectHost host;
    makeSubject(host, folder, {{"A", 1}, {"B", 1}, {"C", 1}, {"D", 1}, {"E", 1}, {"F", 1}, {"G", 1}, {"H", 1}}, 8);
    auto window = open(host);
    QVERIFY(window);
    MySlider* slider = conditionsSlider(*window);
    auto visibleAt = [&](int position, int lower, int upper) {
        slider->setValue(position);
        releaseHandle(slider);
        window->displayRangeChanged(lower, upper);
        return window->plotWidget()->edgeList().first()->isVisible();
    };
    // Position 3 holds 0.3f, which widens to 0.30000001192...: above 0.3.
    QVERIFY(visibleAt(3, 300, 750));
    QVERIFY(!visibleAt(3, 250, 300));
    QVERIFY(visibleAt(5, 250, 750));
    QVERIFY(!visibleAt(8, 250, 750));
    QVERIFY(!visibleAt(1, 150, 750));
}

void tst_CircularPlot::exportAppendsTheSuffix()
{
    TestFolder folder;
    SubjectHost host;
    makeSubject(host, folder, {}, 1);
    auto window = open(host);
    QVERIFY(window);
    QString caption;
    QStringList filters;
    window->setFileDialogRunner([&](QFileDialog& dialog) {
        caption = dialog.windowTitle();
        filters = dialog.nameFilters();
        dialog.selectFile(folder.filePath(QStringLiteral("plot")));
        return true;
    });
    window->saveImage();
    QCOMPARE(caption, QStringLiteral("Save as..."));
    QCOMPARE(filters, QStringList{QStringLiteral("PNG (*.png)")});
    QImage saved(folder.filePath(QStringLiteral("plot.png")), "PNG");
    QVERIFY(!saved.isNull());
    QCOMPARE(saved.size(), window->plotWidget()->size() * window->plotWidget()->devicePixelRatioF());
}

void tst_CircularPlot::exportFromTheContextMenu()
{
    TestFolder folder;
    SubjectHost host;
    makeSubject(host, folder, {}, 1);
    auto window = open(host);
    QVERIFY(window);
    window->setFileDialogRunner([&](QFileDialog& dialog) {
        dialog.selectFile(folder.filePath(QStringLiteral("menu.png")));
        return true;
    });
    QString entry;
    QTimer::singleShot(0, this, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || menu->actions().size() != 1)
            return;
        entry = menu->actions().first()->text();
        menu->actions().first()->trigger();
        menu->close();
    });
    emit window->customContextMenuRequested(QPoint(100, 100));
    QCOMPARE(entry, QStringLiteral("Export to image..."));
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("menu.png"))));
}

void tst_CircularPlot::cancelledExportWritesNothing()
{
    TestFolder folder;
    SubjectHost host;
    makeSubject(host, folder, {}, 1);
    auto window = open(host);
    QVERIFY(window);
    window->setFileDialogRunner([&](QFileDialog& dialog) {
        dialog.selectFile(folder.filePath(QStringLiteral("cancelled")));
        return false;
    });
    window->saveImage();
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("cancelled.png"))));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("cancelled"))));
}

void tst_CircularPlot::closingTellsTheDialog()
{
    TestFolder folder;
    SubjectHost host;
    makeSubject(host, folder, {{"Rest", 1}}, 1);
    auto window = open(host);
    QVERIFY(window);
    QSignalSpy closing(window.get(), &CircularPlot::closingWindow);
    window->close();
    QCOMPARE(closing.count(), 1);
    QVERIFY(window->isHidden());
}

void tst_CircularPlot::withoutSubjectEverythingIsIgnored()
{
    SubjectHost host;
    auto window = open(host);
    QVERIFY(window);
    MySlider* slider = conditionsSlider(*window);
    QCOMPARE(slider->maximum(), 10);
    slider->setValue(2);
    releaseHandle(slider);
    window->displayRangeChanged(0, 1000);
    QCOMPARE(plottedValue(*window), -1.0);
    QVERIFY(window->plotWidget()->labelItems().isEmpty());
}

QTEST_MAIN(tst_CircularPlot)
#include "tst_circularplot.moc"
