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
    m_window->setManifestPicker([this](QWidget*) { return fileDialogAnswer; });
    m_window->setErrorReporter([this](QWidget*, const QString& message) { errors.append(message); });
}

void Monkey::run(const std::vector<MonkeyPart>& parts, int steps)
{
    std::vector<const MonkeyPart::Step*> drawable;
    std::vector<int> weights;
    for (const MonkeyPart& part : parts) {
        for (const MonkeyPart::Step& step : part.steps) {
            drawable.push_back(&step);
            weights.push_back(step.weight);
        }
    }
    std::discrete_distribution<std::size_t> draw(weights.begin(), weights.end());
    for (int i = 1; i <= steps && !QTest::currentTestFailed(); ++i) {
        const MonkeyPart::Step& step = *drawable[draw(m_random)];
        note(QStringLiteral("%1: %2").arg(i).arg(step.name));
        step.run(*this);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (std::size_t k = 0; k < parts.size() && !QTest::currentTestFailed(); ++k)
            parts[k].check(*this);
    }
    if (QTest::currentTestFailed())
        qWarning("monkey: seed %u failed; the last steps:\n  %s", m_seed,
                 qPrintable(m_trail.mid(m_trail.size() - 12).join(QStringLiteral("\n  "))));
}
