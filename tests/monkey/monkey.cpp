#include "monkey.h"

#include "mainwindow/kestrel.h"

#include <QtTest>

Monkey::Monkey(Kestrel* window, unsigned seed)
    : m_window(window)
    , m_random(seed)
{
    m_window->setManifestPicker([this](QWidget*) { return m_fileDialogAnswer; });
    m_window->setErrorReporter([this](QWidget*, const QString& message) { m_errors.append(message); });
}

int Monkey::pick(int n)
{
    return std::uniform_int_distribution<int>(0, n - 1)(m_random);
}

bool Monkey::chance(double probability)
{
    return std::bernoulli_distribution(probability)(m_random);
}

QString Monkey::newFolder(const QString& prefix)
{
    return m_dir.filePath(QStringLiteral("%1-%2").arg(prefix).arg(++m_folders));
}

void Monkey::run(int steps)
{
    const std::vector<MonkeyPart> parts = monkeyParts();
    std::vector<const MonkeyStep*> drawable;
    std::vector<int> weights;
    for (const MonkeyPart& part : parts) {
        for (const MonkeyStep& step : part.steps) {
            drawable.push_back(&step);
            weights.push_back(step.weight);
        }
    }
    std::discrete_distribution<std::size_t> draw(weights.begin(), weights.end());

    const auto failed = [this](int step, const QString& where) {
        if (!QTest::currentTestFailed())
            return false;
        qWarning("monkey: failed in %s after step %d; the last steps:\n  %s", qPrintable(where), step,
                 qPrintable(m_trail.mid(m_trail.size() - 12).join(QStringLiteral("\n  "))));
        return true;
    };
    std::vector<int> taken(drawable.size(), 0);
    for (int i = 1; i <= steps; ++i) {
        const std::size_t drawn = draw(m_random);
        ++taken[drawn];
        const MonkeyStep& step = *drawable[drawn];
        note(QStringLiteral("%1: %2").arg(i).arg(QString::fromUtf8(step.name)));
        step.run(*this);
        if (failed(i, QString::fromUtf8(step.name)))
            return;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const MonkeyPart& part : parts) {
            for (const MonkeyCheck& check : part.checks) {
                check.check(*this);
                if (failed(i, QStringLiteral("the check that ") + QString::fromUtf8(check.name)))
                    return;
            }
        }
    }
    QStringList counts;
    for (std::size_t k = 0; k < drawable.size(); ++k)
        counts.append(QStringLiteral("%1 x %2").arg(taken[k]).arg(QString::fromUtf8(drawable[k]->name)));
    qInfo("monkey: %d steps: %s", steps, qPrintable(counts.join(QStringLiteral(", "))));
}
