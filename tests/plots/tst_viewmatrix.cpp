#include "circularplot/colors.h"
#include "circularplot/mylabel.h"
#include "plots/connectivitymatrixwidgetrect.h"
#include "plots/verticalheaderview.h"
#include "plots/viewmatrix.h"
#include "subject/connectivityobjectui.h"
#include "testsubject.h"

#include <QGraphicsView>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

Eigen::MatrixXf square(std::initializer_list<std::initializer_list<float>> rows)
{
    Eigen::MatrixXf m(int(rows.size()), int(rows.size()));
    int r = 0;
    for (const auto& row : rows) {
        int c = 0;
        for (float value : row)
            m(r, c++) = value;
        ++r;
    }
    return m;
}

// Values that differ in every cell and between matrices, symmetric like the
// connectivity plug-in's output.
Eigen::MatrixXf ramp(int nodes, float offset)
{
    Eigen::MatrixXf m(nodes, nodes);
    for (int r = 0; r < nodes; ++r)
        for (int c = 0; c < nodes; ++c)
            m(r, c) = offset + 0.001f * float(r + c);
    return m;
}

QString styleColor(const QColor& color)
{
    return QStringLiteral("rgb(%1, %2, %3)").arg(color.red()).arg(color.green()).arg(color.blue());
}

} // namespace

class tst_ViewMatrix : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void constructionHidesTheUnusedGroups();
    void gridIsColouredInRowMajorOrder();
    void hoverShowsTheCellUntilTheMouseLeaves();
    void valueIsShownWithSixSignificantDigits_data();
    void valueIsShownWithSixSignificantDigits();
    void legendSpansTheRangeOfAllMatrices_data();
    void legendSpansTheRangeOfAllMatrices();
    void conditionsAreColouredByName();
    void triggerRowIsInert();
    void browsingShowsTheConditionAndKeepsTheLegend();
    void protocolFlagDecidesThePanel_data();
    void protocolFlagDecidesThePanel();
    void overviewPressCentresTheCell();
    void reopeningKeepsTheLastBrowsedMatrixAndConditionWithoutMatrixIsIgnored();
    void missingMatricesShowAnEmptyGrid();

private:
    // Writes a subject with one matrix file per entry of matrices and the
    // given protocol, loads it, opens its dialog and presses "Visualize".
    ViewMatrix* open(const std::vector<Eigen::MatrixXf>& matrices, const QList<TestCondition>& protocol = {},
                     bool usesProto = true);
    void pressVisualize();
    QTableWidget* table() const { return m_viewer->findChild<QTableWidget*>("tableMatrix"); }
    QLabel* label(const char* name) const { return m_viewer->findChild<QLabel*>(name); }
    QWidget* panelCell(int row, int column) const;
    // Background colour of every grid item, row by row.
    QList<QRgb> gridColors() const;
    // The legend's swatch and text labels, left to right.
    QList<QLabel*> legendLabels() const { return m_viewer->findChild<QGroupBox*>("groupbox_Legend")->findChildren<QLabel*>(); }
    void hover(int row, int column) const;

    std::unique_ptr<TestSubject> m_subject;
    QPointer<ViewMatrix> m_viewer;
};

void tst_ViewMatrix::cleanup()
{
    m_subject.reset();
}

ViewMatrix* tst_ViewMatrix::open(const std::vector<Eigen::MatrixXf>& matrices, const QList<TestCondition>& protocol,
                                 bool usesProto)
{
    const int nodes = matrices.empty() ? 2 : int(matrices.front().rows());
    m_subject = std::make_unique<TestSubject>(TestSubject::regions(nodes), matrices, protocol, usesProto);
    m_subject->subject->setDialogFactory([](ConnectivityObject* subject) { return new ConnectivityObjectUI(subject); });
    m_subject->subject->openUI();
    pressVisualize();
    return m_viewer;
}

void tst_ViewMatrix::pressVisualize()
{
    auto* dialog = qobject_cast<QWidget*>(m_subject->subject->dialog());
    QTest::mouseClick(dialog->findChild<QPushButton*>("pb_PlotConnMtx"), Qt::LeftButton);
    m_viewer = dialog->findChild<ViewMatrix*>();
    QVERIFY(m_viewer);
    QVERIFY(QTest::qWaitForWindowExposed(m_viewer));
}

QWidget* tst_ViewMatrix::panelCell(int row, int column) const
{
    QLayoutItem* item = m_viewer->findChild<QGridLayout*>("gridLayout_Conditions")->itemAtPosition(row, column);
    return item ? item->widget() : nullptr;
}

QList<QRgb> tst_ViewMatrix::gridColors() const
{
    QList<QRgb> colors;
    for (int r = 0; r < table()->rowCount(); ++r)
        for (int c = 0; c < table()->columnCount(); ++c)
            colors.append(table()->item(r, c)->background().color().rgb());
    return colors;
}

void tst_ViewMatrix::hover(int row, int column) const
{
    QTableWidgetItem* item = table()->item(row, column);
    table()->scrollToItem(item);
    // Sent to the grid itself: the test platform's pointer would reach
    // whichever top-level window lies first under it.
    const QPoint pos = table()->visualItemRect(item).center();
    QMouseEvent move(QEvent::MouseMove, pos, table()->viewport()->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(table()->viewport(), &move);
}

void tst_ViewMatrix::constructionHidesTheUnusedGroups()
{
    open({square({{0.5f}})});
    QVERIFY(!m_viewer->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(m_viewer->findChild<QGroupBox*>("groupbox_Overview")->isVisible());
    QVERIFY(!m_viewer->findChild<QGroupBox*>("groupBox_Histogram")->isVisible());
    QVERIFY(!m_viewer->findChild<QGroupBox*>("groupBox_Visualization")->isVisible());
    QVERIFY(qobject_cast<VerticalHeaderView*>(table()->horizontalHeader()));
    QCOMPARE(table()->horizontalHeaderItem(0)->text(), QStringLiteral("Region 0"));
    QCOMPARE(table()->verticalHeaderItem(0)->text(), QStringLiteral("Region 0"));
    QCOMPARE(table()->item(0, 0)->text(), QString());
}

void tst_ViewMatrix::gridIsColouredInRowMajorOrder()
{
    open({square({{0.5f, -1.0f}, {1.0f, 0.0f}})});
    QCOMPARE(table()->rowCount(), 2);
    QCOMPARE(table()->columnCount(), 2);
    const QList<QRgb> expected{jetColor(0.5).rgb(), jetColor(-1).rgb(), jetColor(1).rgb(), jetColor(0).rgb()};
    QCOMPARE(gridColors(), expected);
    QCOMPARE(table()->horizontalHeader()->sectionSize(1), 15);
    QCOMPARE(table()->verticalHeader()->sectionSize(1), 15);
}

void tst_ViewMatrix::hoverShowsTheCellUntilTheMouseLeaves()
{
    open({square({{0.5f, -1.0f}, {1.0f, 0.0f}})});
    hover(0, 1);
    QCOMPARE(label("lbl_Color")->styleSheet(), QStringLiteral("background: %1;").arg(styleColor(jetColor(-1))));
    QCOMPARE(label("lbl_Value")->text(), QStringLiteral("-1"));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(table(), &leave);
    QCOMPARE(label("lbl_Color")->styleSheet(), QString());
    QCOMPARE(label("lbl_Value")->text(), QString());
}

void tst_ViewMatrix::valueIsShownWithSixSignificantDigits_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("rounded to six digits") << 0.1234567f << "0.123457";
    QTest::newRow("tiny in exponent form") << 1e-7f << "1e-07";
    QTest::newRow("whole number") << 1.0f << "1";
}

void tst_ViewMatrix::valueIsShownWithSixSignificantDigits()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    open({square({{0.0f, value}, {value, 0.0f}})});
    hover(1, 0);
    QCOMPARE(label("lbl_Value")->text(), text);
}

void tst_ViewMatrix::legendSpansTheRangeOfAllMatrices_data()
{
    QTest::addColumn<float>("low");
    QTest::addColumn<float>("high");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::newRow("-1 to 1, -0.8 rounded") << -1.0f << 1.0f << "1" << "-1";
    QTest::newRow("halves away from zero") << -0.75f << 1.75f << "2" << "-1";
}

void tst_ViewMatrix::legendSpansTheRangeOfAllMatrices()
{
    QFETCH(float, low);
    QFETCH(float, high);
    QFETCH(QString, left);
    QFETCH(QString, right);
    // The minimum lies in the first matrix and the maximum in the second.
    open({square({{low, 0.0f}, {0.0f, 0.0f}}), square({{0.0f, high}, {0.0f, 0.0f}})});

    const QList<QLabel*> labels = legendLabels();
    QCOMPARE(labels.size(), 20);
    const double step = (double(high) - double(low)) / 10;
    for (int k = 0; k < 10; ++k) {
        const QLabel* swatch = labels[2 * k];
        QCOMPARE(swatch->size(), QSize(15, 15));
        QCOMPARE(swatch->styleSheet(),
                 QStringLiteral("background: %1;").arg(styleColor(jetColor(double(high) - k * step))));
        const QString expected = k == 0 ? left : k == 9 ? right : QString();
        QCOMPARE(labels[2 * k + 1]->text(), expected);
    }
}

void tst_ViewMatrix::conditionsAreColouredByName()
{
    open({ramp(3, 0), ramp(3, 0.1f), ramp(3, 0.2f), ramp(3, 0.3f)}, {{"Rest", 1}, {"Task", 1}, {"Cue", 2}, {"Rest", 1}});
    const QList<int> hues{0, 74, 148, 0};
    for (int row = 0; row < hues.size(); ++row) {
        const QColor color = QColor::fromHsv(hues[row], 127, 242, 255);
        QCOMPARE(panelCell(row, 0)->styleSheet(), QStringLiteral("background-color: %1;").arg(styleColor(color)));
        QCOMPARE(panelCell(row, 0)->property("row").toInt(), row);
    }
    QCOMPARE(qobject_cast<QLabel*>(panelCell(1, 1))->text(), QStringLiteral("Task"));
    auto* t = qobject_cast<QLabel*>(panelCell(1, 2));
    QCOMPARE(t->text(), QStringLiteral("10"));
    QCOMPARE(t->toolTip(), QStringLiteral("in TR"));
}

void tst_ViewMatrix::triggerRowIsInert()
{
    open({ramp(3, 0), ramp(3, 0.1f), ramp(3, 0.2f)}, {{"Rest", 1}, {"Task", 1}, {"Cue", 2}});
    const QList<QRgb> shown = gridColors();
    for (int column : {0, 1}) {
        auto* cell = qobject_cast<MyLabel*>(panelCell(2, column));
        QVERIFY(cell);
        QVERIFY(!cell->isInteractive());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(cell, &enter);
        QVERIFY(!cell->testAttribute(Qt::WA_SetCursor));
        QTest::mouseClick(cell, Qt::LeftButton);
        QCOMPARE(gridColors(), shown);
    }
    QCOMPARE(qobject_cast<QLabel*>(panelCell(2, 1))->text(), QStringLiteral("Trigger: Cue"));
}

void tst_ViewMatrix::browsingShowsTheConditionAndKeepsTheLegend()
{
    const std::vector<Eigen::MatrixXf> matrices{square({{-1.0f, 0.2f}, {0.3f, 0.4f}}),
                                                square({{0.9f, -0.5f}, {1.0f, 0.1f}})};
    open(matrices, {{"Rest", 1}, {"Task", 1}});
    const QList<QLabel*> legend = legendLabels();
    const QString legendLeft = legend[1]->text();

    QTest::mouseClick(panelCell(1, 1), Qt::LeftButton);
    const QList<QRgb> second{jetColor(0.9f).rgb(), jetColor(-0.5f).rgb(), jetColor(1.0f).rgb(), jetColor(0.1f).rgb()};
    QCOMPARE(gridColors(), second);
    hover(0, 1);
    QCOMPARE(label("lbl_Value")->text(), QStringLiteral("-0.5"));
    QCOMPARE(legendLabels(), legend);
    QCOMPARE(legend[1]->text(), legendLeft);
    QCOMPARE(m_viewer->findChild<QGraphicsView*>("graphicsView")->scene()->items().size(), 4);

    QTest::mouseClick(panelCell(0, 0), Qt::LeftButton);
    QCOMPARE(gridColors().first(), jetColor(-1).rgb());
}

void tst_ViewMatrix::protocolFlagDecidesThePanel_data()
{
    QTest::addColumn<bool>("usesProto");
    QTest::addColumn<bool>("withConditions");
    QTest::addColumn<bool>("panel");
    QTest::newRow("protocol used") << true << true << true;
    QTest::newRow("conditions listed but flag off") << false << true << false;
    QTest::newRow("flag on without conditions") << true << false << false;
}

void tst_ViewMatrix::protocolFlagDecidesThePanel()
{
    QFETCH(bool, usesProto);
    QFETCH(bool, withConditions);
    QFETCH(bool, panel);
    QList<TestCondition> protocol;
    if (withConditions)
        protocol = {{"Rest", 1}};
    open({ramp(2, 0)}, protocol, usesProto);
    const auto* first = qobject_cast<QLabel*>(panelCell(0, panel ? 1 : 0));
    QVERIFY(first);
    QCOMPARE(first->text(), panel ? QStringLiteral("Rest") : QStringLiteral("No protocol loaded."));
    QCOMPARE(panelCell(0, 2) != nullptr, panel);
}

void tst_ViewMatrix::overviewPressCentresTheCell()
{
    open({ramp(120, -0.5f)});
    auto* view = m_viewer->findChild<QGraphicsView*>("graphicsView");
    QCOMPARE(view->sceneRect(), QRectF(0, 0, 1160, 1160));
    QCOMPARE(view->transform(), QTransform::fromScale(245.0 / 1160, 245.0 / 1160));
    QCOMPARE(view->scene()->items().size(), 120 * 120);

    // Matrix element (70, 50) lies at x = 700, y = 500 and leads to grid
    // row 50, column 70.
    const QPointF element(705, 505);
    auto* rect = dynamic_cast<ConnectivityMatrixWidgetRect*>(view->scene()->itemAt(element, QTransform()));
    QVERIFY(rect);
    QCOMPARE(rect->brush().color().rgb(), jetColor(-0.5f + 0.001f * 120).rgb());
    QCOMPARE(rect->rect(), QRectF(700, 500, 10, 10));

    table()->scrollToTop();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(element));
    const QRect cell = table()->visualItemRect(table()->item(50, 70));
    const QPoint centre = table()->viewport()->rect().center();
    // The grid scrolls by whole cells, so "centred" holds to a few of them;
    // the transposed cell would lie twenty cells away.
    const int slack = 3 * 15;
    QVERIFY(qAbs(cell.center().x() - centre.x()) <= slack);
    QVERIFY(qAbs(cell.center().y() - centre.y()) <= slack);
}

void tst_ViewMatrix::reopeningKeepsTheLastBrowsedMatrixAndConditionWithoutMatrixIsIgnored()
{
    open({square({{0.1f}}), square({{0.7f}})}, {{"Rest", 1}, {"Task", 1}, {"Rest", 1}});
    ViewMatrix* first = m_viewer;
    QTest::mouseClick(panelCell(1, 1), Qt::LeftButton);
    QTest::mouseClick(panelCell(2, 1), Qt::LeftButton);
    m_viewer->close();
    QVERIFY(!m_viewer->isVisible());

    pressVisualize();
    QCOMPARE(m_viewer.data(), first);
    QCOMPARE(gridColors(), QList<QRgb>{jetColor(0.7f).rgb()});
}

void tst_ViewMatrix::missingMatricesShowAnEmptyGrid()
{
    open({}, {{"Rest", 1}});
    QCOMPARE(table()->rowCount(), 0);
    QCOMPARE(table()->columnCount(), 0);
    QCOMPARE(m_viewer->findChild<QGraphicsView*>("graphicsView")->scene()->items().size(), 0);
    const QList<QLabel*> legend = legendLabels();
    QCOMPARE(legend[1]->text(), QStringLiteral("0"));
    QCOMPARE(legend[19]->text(), QStringLiteral("0"));
    QTest::mouseClick(panelCell(0, 1), Qt::LeftButton);
    QCOMPARE(table()->rowCount(), 0);

    // A viewer whose parent has no subject stays empty as well.
    QWidget orphanParent;
    auto* orphan = new ViewMatrix(&orphanParent);
    orphan->loadMatrices();
    orphan->fillTable();
    orphan->drawOverview();
    QCOMPARE(orphan->findChild<QTableWidget*>("tableMatrix")->rowCount(), 0);
}

QTEST_MAIN(tst_ViewMatrix)
#include "tst_viewmatrix.moc"
