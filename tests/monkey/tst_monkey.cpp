// A randomized user of the main window and every window it opens: steps and
// invariants come from the parts in monkeyparts.h.
#include "monkey.h"

#include "mainwindow/kestrel.h"
#include "subject/connectivityobjectui.h"

#include <QtTest>

class tst_Monkey : public QObject {
    Q_OBJECT

private slots:
    void randomSteps_data();
    void randomSteps();
};

void tst_Monkey::randomSteps_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("steps");
    QTest::newRow("seed 1") << 1u << 300;
    QTest::newRow("seed 20261206") << 20261206u << 300;
}

void tst_Monkey::randomSteps()
{
    QFETCH(unsigned, seed);
    QFETCH(int, steps);
    auto* window = new Kestrel;
    window->show();
    {
        Monkey monkey(window, seed);
        monkey.run(steps);
    }
    delete window;
    // Subject windows go with the main window.
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<ConnectivityObjectUI*>(widget));
}

QTEST_MAIN(tst_Monkey)
#include "tst_monkey.moc"
