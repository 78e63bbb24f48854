#include "circularplot/mylabel.h"
#include "plots/lineplot.h"
#include "popupprobe.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineSeries>
#include <QPushButton>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtTest>

#include <memory>

using namespace QtCharts;

class tst_LinePlot : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void unnamedSeriesCountFromOne();
    void conditionsShareColoursAndFillTheComboBox();
    void hoveringHighlightsOnlyVisibleSeries();
    void showAndHideActOnOneConditionOrAll();
    void triggerRowIsInert();
    void otherTypesAreVisibleButUnconnected();
    void valueAxisTicks_data();
    void valueAxisTicks();
    void categoriesReplaceTheValueAxis_data();
    void categoriesReplaceTheValueAxis();
    void exports_data();
    void exports();
    void contextMenuOffersBothExports();

private:
    // A shown plot with one series per (name, type); values 0, 1, ... of the
    // given length.
    LinePlot* plot(const QList<QPair<QString, int>>& series, int points = 5);
    MyLabel* nameLabel(int row) const;
    QCheckBox* checkBox(int row) const;
    static void hover(QWidget* widget, bool inside);

    std::unique_ptr<LinePlot> m_plot;
};

LinePlot* tst_LinePlot::plot(const QList<QPair<QString, int>>& series, int points)
{
    m_plot = std::make_unique<LinePlot>("Degree");
    m_plot->setYAxisTitle("Degree");
    m_plot->createChart();
    for (int k = 0; k < series.size(); ++k) {
        std::vector<float> values;
        for (int i = 0; i < points; ++i)
            values.push_back(float(i + k));
        m_plot->addSeries(values, series[k].first, series[k].second);
    }
    m_plot->show();
    return m_plot.get();
}

MyLabel* tst_LinePlot::nameLabel(int row) const
{
    const auto labels = m_plot->findChildren<MyLabel*>();
    for (MyLabel* label : labels)
        if (label->property("row").toInt() == row && !label->objectName().startsWith("Colorbox"))
            return label;
    qFatal("no name label in row %d", row);
}

QCheckBox* tst_LinePlot::checkBox(int row) const
{
    const auto boxes = m_plot->findChildren<QCheckBox*>();
    for (QCheckBox* box : boxes)
        if (box->property("row").toInt() == row)
            return box;
    qFatal("no check box in row %d", row);
}

void tst_LinePlot::hover(QWidget* widget, bool inside)
{
    QEvent event(inside ? QEvent::Enter : QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

void tst_LinePlot::cleanup()
{
    m_plot.reset();
}

void tst_LinePlot::unnamedSeriesCountFromOne()
{
    plot({{"", 1}, {"", 1}});
    m_plot->finishPlot({}, false);
    QCOMPARE(m_plot->series().at(0)->name(), QString("Series 1"));
    QCOMPARE(m_plot->series().at(1)->name(), QString("Series 2"));
    QCOMPARE(nameLabel(1)->text(), QString("Series 2"));
    QCOMPARE(checkBox(1)->property("ts_label").toString(), QString("Series 2"));
}

void tst_LinePlot::conditionsShareColoursAndFillTheComboBox()
{
    plot({{"A", 1}, {"B", 1}, {"A", 1}});
    m_plot->finishPlot({}, true);

    const QList<QLineSeries*> series = m_plot->series();
    QCOMPARE(series[0]->color(), QColor::fromHsv(0, 127, 242, 255));
    QCOMPARE(series[1]->color(), QColor::fromHsv(111, 127, 242, 255));
    QCOMPARE(series[2]->color(), series[0]->color());

    const QColor b = series[1]->color();
    QCOMPARE(m_plot->findChild<MyLabel*>("Colorbox1")->styleSheet(),
             QString("background-color: rgb(%1, %2, %3);").arg(b.red()).arg(b.green()).arg(b.blue()));

    auto* combo = m_plot->findChild<QComboBox*>("cbox_Conditions");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    QCOMPARE(items, QStringList({"All", "A", "B"}));
    QCOMPARE(combo->itemData(2).toString(), QString("B"));
}

void tst_LinePlot::hoveringHighlightsOnlyVisibleSeries()
{
    plot({{"A", 1}, {"B", 1}, {"C", 1}});
    m_plot->finishPlot({}, true);
    const QList<QLineSeries*> series = m_plot->series();
    auto penOf = [&](int k) { return series[k]->pen().color(); };

    hover(m_plot->findChild<MyLabel*>("Colorbox1"), true);
    QCOMPARE(penOf(0).rgb(), series[0]->color().rgb());
    QCOMPARE(penOf(0).alpha(), 64);
    QCOMPARE(penOf(1), series[1]->color());
    hover(m_plot->findChild<MyLabel*>("Colorbox1"), false);
    QCOMPARE(penOf(0), series[0]->color());

    QTest::mouseClick(checkBox(2), Qt::LeftButton);
    QVERIFY(!series[2]->isVisible());
    const QColor before = penOf(0);
    hover(nameLabel(2), true);
    QCOMPARE(penOf(0), before);
    QCOMPARE(penOf(1), series[1]->color());
}

void tst_LinePlot::showAndHideActOnOneConditionOrAll()
{
    plot({{"Rest", 1}, {"Task", 1}, {"Rest", 1}});
    m_plot->finishPlot({}, true);
    const QList<QLineSeries*> series = m_plot->series();
    auto* combo = m_plot->findChild<QComboBox*>("cbox_Conditions");
    auto* hide = m_plot->findChild<QPushButton*>("btn_Hide");
    auto* show = m_plot->findChild<QPushButton*>("btn_Show");

    QTest::mouseClick(checkBox(1), Qt::LeftButton);
    QVERIFY(!series[1]->isVisible());
    QTest::mouseClick(checkBox(1), Qt::LeftButton);
    QVERIFY(series[1]->isVisible());

    combo->setCurrentIndex(combo->findData("Rest"));
    QTest::mouseClick(hide, Qt::LeftButton);
    QVERIFY(!series[0]->isVisible());
    QVERIFY(series[1]->isVisible());
    QVERIFY(!series[2]->isVisible());
    QVERIFY(!checkBox(2)->isChecked());
    QVERIFY(checkBox(1)->isChecked());

    combo->setCurrentIndex(combo->findData("All"));
    QTest::mouseClick(hide, Qt::LeftButton);
    for (QLineSeries* one : series)
        QVERIFY(!one->isVisible());
    QTest::mouseClick(show, Qt::LeftButton);
    for (int k = 0; k < series.size(); ++k) {
        QVERIFY(series[k]->isVisible());
        QVERIFY(checkBox(k)->isChecked());
    }
}

void tst_LinePlot::triggerRowIsInert()
{
    plot({{"Rest", 1}, {"Cue", 2}});
    m_plot->finishPlot({}, true);
    QLineSeries* cue = m_plot->series().at(1);
    QCOMPARE(nameLabel(1)->text(), QString("Trigger: Cue"));
    QVERIFY(checkBox(1)->isHidden());
    QVERIFY(!cue->isVisible());
    QVERIFY(!nameLabel(1)->isInteractive());
    QVERIFY(!m_plot->findChild<MyLabel*>("Colorbox1")->isInteractive());

    auto* combo = m_plot->findChild<QComboBox*>("cbox_Conditions");
    combo->setCurrentIndex(combo->findData("All"));
    QTest::mouseClick(m_plot->findChild<QPushButton*>("btn_Show"), Qt::LeftButton);
    QVERIFY(cue->isVisible());
}

void tst_LinePlot::otherTypesAreVisibleButUnconnected()
{
    plot({{"A", 1}, {"X", 3}});
    m_plot->finishPlot({}, true);
    QLineSeries* x = m_plot->series().at(1);
    QVERIFY(x->isVisible());
    checkBox(1)->setChecked(false);
    QVERIFY(x->isVisible());
    const QColor before = m_plot->series().at(0)->pen().color();
    hover(nameLabel(1), true);
    QCOMPARE(m_plot->series().at(0)->pen().color(), before);
}

void tst_LinePlot::valueAxisTicks_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("ticks");
    QTest::newRow("50 points, one tick each") << 50 << 50;
    QTest::newRow("51 points, ten ticks") << 51 << 10;
}

void tst_LinePlot::valueAxisTicks()
{
    QFETCH(int, points);
    QFETCH(int, ticks);
    plot({{"", 1}}, points);
    m_plot->finishPlot({}, false);
    const QList<QAbstractAxis*> horizontal = m_plot->chart()->axes(Qt::Horizontal);
    QCOMPARE(horizontal.size(), 1);
    auto* axis = qobject_cast<QValueAxis*>(horizontal.first());
    QVERIFY(axis);
    QCOMPARE(axis->tickCount(), ticks);
    QCOMPARE(axis->titleText(), QString("Voxels"));
    QCOMPARE(m_plot->chart()->axes(Qt::Vertical).first()->titleText(), QString("Degree"));
    QVERIFY(!m_plot->chart()->legend()->isVisible());
}

void tst_LinePlot::categoriesReplaceTheValueAxis_data()
{
    QTest::addColumn<QStringList>("categories");
    QTest::newRow("distinct node names") << QStringList{"Cuneus L", "Cuneus R", "Insula L"};
    QTest::newRow("a repeated name keeps its own place") << QStringList{"Insula", "Insula", "Insula"};
}

void tst_LinePlot::categoriesReplaceTheValueAxis()
{
    QFETCH(QStringList, categories);
    plot({{"A", 1}, {"B", 1}}, 3);
    m_plot->finishPlot(categories, true);

    const QList<QAbstractAxis*> horizontal = m_plot->chart()->axes(Qt::Horizontal);
    QCOMPARE(horizontal.size(), 1);
    auto* axis = qobject_cast<QBarCategoryAxis*>(horizontal.first());
    QVERIFY(axis);
    QCOMPARE(axis->count(), 3);
    QCOMPARE(axis->titleText(), QString("VOIs"));
    QCOMPARE(axis->labelsAngle(), 90);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(QString(axis->at(i)).remove(QChar(0x200B)), categories[i]);
    for (QLineSeries* series : m_plot->series())
        QVERIFY(series->attachedAxes().contains(axis));
}

void tst_LinePlot::exports_data()
{
    QTest::addColumn<bool>("image");
    QTest::addColumn<QString>("file"); // empty: the dialog is cancelled
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("CSV") << false << "strength.csv" << "Comma-separated values (*.csv)" << ".csv";
    QTest::newRow("image") << true << "degree.png" << "PNG (*.png)" << ".png";
    QTest::newRow("cancelled CSV") << false << "" << "Comma-separated values (*.csv)" << ".csv";
    QTest::newRow("cancelled image") << true << "" << "PNG (*.png)" << ".png";
}

// The CSV holds the first series on one line.
void tst_LinePlot::exports()
{
    QFETCH(bool, image);
    QFETCH(QString, file);
    m_plot = std::make_unique<LinePlot>("Strength");
    m_plot->createChart();
    m_plot->addSeries({0.5f, 1.0f, 2.25f}, "A", 1);
    m_plot->addSeries({7.0f, 8.0f, 9.0f}, "B", 1);
    m_plot->finishPlot({}, true);
    m_plot->show();

    QTemporaryDir dir;
    const QString path = file.isEmpty() ? QString() : dir.filePath(file);
    QString filter;
    QString suffix;
    m_plot->setFileNameProvider([&](QWidget*, const QString& f, const QString& s) {
        filter = f;
        suffix = s;
        return path;
    });
    image ? m_plot->saveImage() : m_plot->saveCSV();
    QTEST(filter, "filter");
    QTEST(suffix, "suffix");
    if (path.isEmpty()) {
        QVERIFY(QDir(dir.path()).isEmpty());
    } else if (image) {
        QCOMPARE(QImage(path).size(), m_plot->findChild<QChartView*>()->size());
    } else {
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("0.5,1,2.25"));
    }
}

void tst_LinePlot::contextMenuOffersBothExports()
{
    plot({{"", 1}});
    m_plot->finishPlot({}, false);
    QStringList actions;
    PopupProbe probe([&](QMenu* menu) {
        for (QAction* action : menu->actions())
            actions.append(action->text());
    });
    QWidget* viewport = m_plot->findChild<QChartView*>()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20), viewport->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(viewport, &event);
    QVERIFY(probe.sawMenu());
    QCOMPARE(actions, QStringList({"Export to image...", "Export to CSV..."}));
}

QTEST_MAIN(tst_LinePlot)
#include "tst_lineplot.moc"
