#include "circularplot/mylabel.h"
#include "plots/lineplot.h"

#include <QtCharts>
#include <QtWidgets>
#include <QtTest>

#include <memory>

using namespace QtCharts;

class tst_LinePlot : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { m_plot.reset(); }

    // Rows: a condition, an unnamed series, the condition again, a trigger and a
    // series of another type, whose row neither hides nor highlights.
    void legendRowsActOnTheirSeries()
    {
        plot({{"Rest", 1}, {"", 1}, {"Rest", 1}, {"Cue", 2}, {"X", 3}});
        QCOMPARE(series(1)->name(), QString("Series 2"));
        QCOMPARE(series(2)->color(), series(0)->color());
        auto* combo = m_plot->findChild<QComboBox*>("cbox_Conditions");
        QCOMPARE(combo->itemText(1) + combo->itemData(4).toString(), QString("CueX"));
        QCOMPARE(row(3)->text(), QString("Trigger: Cue"));
        QVERIFY(!series(3)->isVisible() && row<QCheckBox>(3)->isHidden() && !row(3, true)->isInteractive());
        row<QCheckBox>(4)->setChecked(false);
        hover(row(4), true);
        QVERIFY(series(4)->isVisible() && penAlpha(0) == 255);

        hover(row(1, true), true);
        QCOMPARE(penAlpha(0), 64);
        QCOMPARE(penAlpha(1), 255);
        hover(row(1, true), false);
        QCOMPARE(penAlpha(0), 255);
        QTest::mouseClick(row<QCheckBox>(1), Qt::LeftButton);
        QVERIFY(!series(1)->isVisible());
        hover(row(1), true); // a hidden series is not highlighted
        QCOMPARE(penAlpha(0), 255);

        combo->setCurrentIndex(combo->findData("Rest"));
        click("btn_Hide");
        QVERIFY(!series(0)->isVisible() && !series(2)->isVisible() && series(4)->isVisible());
        QVERIFY(!row<QCheckBox>(2)->isChecked());
        combo->setCurrentIndex(combo->findData("All"));
        click("btn_Show");
        for (int k = 0; k < 5; ++k)
            QVERIFY(series(k)->isVisible() && row<QCheckBox>(k)->isChecked());
    }

    void valueAxisTicks_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("ticks");
        QTest::newRow("20 points, one tick each") << 20 << 20;
        QTest::newRow("50 points, one tick each") << 50 << 50;
        QTest::newRow("51 points, ten ticks") << 51 << 10;
        QTest::newRow("60 points, ten ticks") << 60 << 10;
    }

    void valueAxisTicks()
    {
        QFETCH(int, points);
        plot({{"", 1}}, false, points);
        const QList<QAbstractAxis*> horizontal = m_plot->chart()->axes(Qt::Horizontal);
        auto* axis = qobject_cast<QValueAxis*>(horizontal.value(0));
        QVERIFY(horizontal.size() == 1 && axis);
        QTEST(axis->tickCount(), "ticks");
        QCOMPARE(axis->titleText(), QString("Voxels"));
    }

    void exports_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("file"); // empty: the dialog is cancelled
        QTest::newRow("CSV") << "Export to CSV..." << "strength.csv";
        QTest::newRow("image") << "Export to image..." << "degree.png";
        QTest::newRow("cancelled CSV") << "Export to CSV..." << "";
    }

    // Chosen from the chart's context menu, whose exec() a timer serves. The
    // CSV holds the first series on one line.
    void exports()
    {
        QFETCH(QString, action);
        QFETCH(QString, file);
        plot({{"A", 1}, {"B", 1}});
        m_plot->series().first()->replace(QVector<QPointF>{{0, 0.5}, {1, 1.0}, {2, 2.25}});
        QTemporaryDir dir;
        const QString path = file.isEmpty() ? QString() : dir.filePath(file);
        m_plot->setFileNameProvider([&path](QWidget*, const QString&, const QString&) { return path; });
        QTimer::singleShot(0, [&action] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                for (QAction* entry : menu->actions())
                    if (entry->text() == action)
                        entry->trigger();
                menu->close();
            }
        });
        emit m_plot->findChild<QChartView*>()->customContextMenuRequested(QPoint(20, 20));
        QFile written(path);
        if (path.isEmpty())
            QVERIFY(QDir(dir.path()).isEmpty());
        else if (file.endsWith(".png"))
            QCOMPARE(QImage(path).size(), m_plot->findChild<QChartView*>()->size());
        else
            QVERIFY(written.open(QIODevice::ReadOnly) && written.readAll() == "0.5,1,2.25");
    }

private:
    // A shown plot with one series k per (name, type), values k, k + 1, ...
    void plot(const QList<QPair<QString, int>>& series, bool withConditions = true, int points = 3)
    {
        m_plot = std::make_unique<LinePlot>("Degree");
        m_plot->createChart();
        for (int k = 0; k < series.size(); ++k) {
            std::vector<float> values;
            for (int i = 0; i < points; ++i)
                values.push_back(float(i + k));
            m_plot->addSeries(values, series[k].first, series[k].second);
        }
        m_plot->finishPlot({}, withConditions);
        m_plot->show();
    }

    // A legend row's name label, colour box or check box.
    template <typename T = MyLabel>
    T* row(int k, bool colorBox = false) const
    {
        for (T* widget : m_plot->findChildren<T*>())
            if (widget->property("row").toInt() == k && widget->objectName().startsWith("Colorbox") == colorBox)
                return widget;
        qFatal("no row %d", k);
    }

    QLineSeries* series(int k) const { return m_plot->series().at(k); }
    int penAlpha(int k) const { return series(k)->pen().color().alpha(); }
    void click(const char* button) const { QTest::mouseClick(m_plot->findChild<QPushButton*>(button), Qt::LeftButton); }
    static void hover(QWidget* widget, bool inside)
    {
        QEvent event(inside ? QEvent::Enter : QEvent::Leave);
        QApplication::sendEvent(widget, &event);
    }

    std::unique_ptr<LinePlot> m_plot;
};

QTEST_MAIN(tst_LinePlot)
#include "tst_lineplot.moc"
