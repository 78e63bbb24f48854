#include "circularplot/colors.h"
#include "circularplot/mylabel.h"
#include "plots/viewmatrix.h"
#include "subject/connectivityobjectui.h"
#include "testsubject.h"

#include <QtWidgets>
#include <QtTest>

namespace {

Eigen::MatrixXf m2(float a, float b, float c, float d)
{
    return (Eigen::MatrixXf(2, 2) << a, b, c, d).finished();
}

} // namespace

class tst_ViewMatrix : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { m_subject.reset(); }

    void legendSpansTheRangeOfAllMatrices_data()
    {
        QTest::addColumn<float>("low");
        QTest::addColumn<float>("high");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::newRow("-1 to 1, -0.8 rounded") << -1.0f << 1.0f << "1" << "-1";
        QTest::newRow("halves away from zero") << -0.75f << 1.75f << "2" << "-1";
    }

    void legendSpansTheRangeOfAllMatrices()
    {
        QFETCH(float, low);
        QFETCH(float, high);
        // The minimum lies in the first matrix and the maximum in the second;
        // conditions without the protocol flag are not shown.
        open({m2(low, 0, 0, 0), m2(0, high, 0, 0)}, {{"Rest", 1}}, false);
        QCOMPARE(qobject_cast<QLabel*>(panelCell(0, 0))->text(), QStringLiteral("No protocol loaded."));

        const QList<QLabel*> labels = legend();
        QCOMPARE(labels.size(), 20);
        const QColor top = jetColor(high);
        QCOMPARE(labels[0]->styleSheet(),
                 QString("background: rgb(%1, %2, %3);").arg(top.red()).arg(top.green()).arg(top.blue()));
        QTEST(labels[1]->text(), "left");
        QTEST(labels[19]->text(), "right");
    }

    // Rest and Task have matrices, the trigger Cue and the last Rest none.
    void conditionsBrowseTheMatricesAndTriggersAreInert()
    {
        open({m2(-1, 0.2f, 0.1234567f, 0.4f), m2(0.9f, -0.5f, 1, 0.1f)},
             {{"Rest", 1}, {"Task", 1}, {"Cue", 2}, {"Rest", 1}});
        hover(1, 0);
        QCOMPARE(value(), QStringLiteral("0.123457"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(table(), &leave);
        QCOMPARE(value(), QString());

        QTest::mouseClick(panelCell(1, 1), Qt::LeftButton);
        const QList<QRgb> second{jetColor(0.9f).rgb(), jetColor(-0.5f).rgb(), jetColor(1).rgb(), jetColor(0.1f).rgb()};
        QCOMPARE(gridColors(), second);
        hover(0, 1);
        QCOMPARE(value(), QStringLiteral("-0.5"));
        QCOMPARE(m_viewer->findChild<QGraphicsView*>("graphicsView")->scene()->items().size(), 4);

        auto* trigger = qobject_cast<MyLabel*>(panelCell(2, 1));
        QCOMPARE(trigger->text(), QStringLiteral("Trigger: Cue"));
        QVERIFY(!trigger->isInteractive());
        QTest::mouseClick(trigger, Qt::LeftButton);
        QTest::mouseClick(panelCell(3, 1), Qt::LeftButton);
        QCOMPARE(gridColors(), second);

        // "Visualize" shows the same viewer again with the last matrix browsed.
        ViewMatrix* first = m_viewer;
        m_viewer->close();
        visualize();
        QCOMPARE(m_viewer, first);
        QCOMPARE(gridColors(), second);
    }

    void overviewPressCentresTheCell()
    {
        open({Eigen::MatrixXf::Constant(120, 120, 0.5f)});
        auto* view = m_viewer->findChild<QGraphicsView*>("graphicsView");
        // Element (70, 50) lies at x = 700, y = 500 and leads to grid row 50,
        // column 70. The grid scrolls by whole cells, so "centred" holds to a
        // few of them; the transposed cell would lie twenty cells away.
        table()->scrollToTop();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(QPointF(705, 505)));
        const QPoint offset =
            table()->visualItemRect(table()->item(50, 70)).center() - table()->viewport()->rect().center();
        QVERIFY(qAbs(offset.x()) <= 45 && qAbs(offset.y()) <= 45);
    }

    void missingMatricesShowAnEmptyGrid()
    {
        open({}, {{"Rest", 1}});
        QCOMPARE(table()->rowCount(), 0);
        QCOMPARE(m_viewer->findChild<QGraphicsView*>("graphicsView")->scene()->items().size(), 0);
        QCOMPARE(legend()[1]->text() + legend()[19]->text(), QStringLiteral("00"));
        QTest::mouseClick(panelCell(0, 1), Qt::LeftButton);
        QCOMPARE(table()->rowCount(), 0);
    }

private:
    // Opens the dialog of a subject with these matrices and presses "Visualize".
    void open(const std::vector<Eigen::MatrixXf>& matrices, const QList<TestCondition>& protocol = {},
              bool usesProto = true)
    {
        const int nodes = matrices.empty() ? 2 : int(matrices.front().rows());
        m_subject = std::make_unique<TestSubject>(TestSubject::regions(nodes), matrices, protocol, usesProto);
        m_subject->subject->setDialogFactory([](ConnectivityObject* s) { return new ConnectivityObjectUI(s); });
        m_subject->subject->openUI();
        visualize();
    }

    void visualize()
    {
        auto* dialog = qobject_cast<QWidget*>(m_subject->subject->dialog());
        QTest::mouseClick(dialog->findChild<QPushButton*>("pb_PlotConnMtx"), Qt::LeftButton);
        m_viewer = dialog->findChild<ViewMatrix*>();
        QVERIFY(QTest::qWaitForWindowExposed(m_viewer));
    }

    QTableWidget* table() const { return m_viewer->findChild<QTableWidget*>("tableMatrix"); }
    QString value() const { return m_viewer->findChild<QLabel*>("lbl_Value")->text(); }
    QWidget* panelCell(int row, int column) const
    {
        QLayoutItem* item = m_viewer->findChild<QGridLayout*>("gridLayout_Conditions")->itemAtPosition(row, column);
        return item ? item->widget() : nullptr;
    }

    // The legend's swatch and text labels, left to right.
    QList<QLabel*> legend() const
    {
        return m_viewer->findChild<QGroupBox*>("groupbox_Legend")->findChildren<QLabel*>();
    }

    QList<QRgb> gridColors() const
    {
        QList<QRgb> colors;
        for (int r = 0; r < table()->rowCount(); ++r)
            for (int c = 0; c < table()->columnCount(); ++c)
                colors.append(table()->item(r, c)->background().color().rgb());
        return colors;
    }

    // What the grid reports when the pointer enters a cell.
    void hover(int row, int column) const { emit table()->cellEntered(row, column); }

    std::unique_ptr<TestSubject> m_subject;
    ViewMatrix* m_viewer = nullptr;
};

QTEST_MAIN(tst_ViewMatrix)
#include "tst_viewmatrix.moc"
