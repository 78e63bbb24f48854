#include "monkey.h"

#include "mainwindow/kestrel.h"

#include <QtTest>

#include <cstdlib>

Monkey::Monkey(Kestrel* window, unsigned seed)
    : m_window(window)
    , m_seed(seed)
    , m_random(seed)
{
    std::srand(seed); // the matrices' values come from Eigen's Random
    window->setManifestPicker([this](QWidget*) { return fileDialogAnswer; });
    window->setErrorReporter([this](QWidget*, const QString& message) { errors.append(message); });
}

void Monkey::run(int steps)
{
    for (int i = 1; i <= steps && !QTest::currentTestFailed(); ++i) {
        m_trail.append(QStringLiteral("%1:").arg(i));
        (pick(5) < 3 ? mainWindowStep : subjectDialogStep)(*this);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (void (*check)(Monkey&) : {mainWindowCheck, subjectDialogCheck})
            if (!QTest::currentTestFailed())
                check(*this);
    }
    if (QTest::currentTestFailed())
        qWarning("monkey: seed %u failed; the last steps:\n%s", m_seed,
                 qPrintable(m_trail.mid(m_trail.size() - 12).join('\n')));
}
