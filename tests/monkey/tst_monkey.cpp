// A seeded random user of the main window and every window it opens.
#include "monkey.h"

class tst_Monkey : public QObject {
    Q_OBJECT

private slots:
    void randomSteps_data();
    void randomSteps();
};

void tst_Monkey::randomSteps_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::newRow("seed 1") << 1u;
    QTest::newRow("seed 20261206") << 20261206u;
}

void tst_Monkey::randomSteps()
{
    QFETCH(unsigned, seed);
    auto* window = new Kestrel;
    window->show();
    Monkey(window, seed).run(300);
    delete window;
    // Subject windows and their plots go with the main window.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY2(false, widget->metaObject()->className());
}

QTEST_MAIN(tst_Monkey)
#include "tst_monkey.moc"
