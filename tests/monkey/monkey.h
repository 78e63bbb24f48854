#pragma once

#include "mainwindow/kestrel.h"

#include <QPushButton>
#include <QtTest>

#include <cstdlib>
#include <random>

class Monkey;

// One random step through a window, and that window's invariants.
void mainWindowStep(Monkey& m);
void mainWindowCheck(Monkey& m);
void subjectDialogStep(Monkey& m);
void subjectDialogCheck(Monkey& m);

// A seeded random user of the main window and all it opens: one seed, one
// run. It keeps what the user should see and answers the window's seams. A
// step does what a user could do, through real events, and checks its
// immediate effect; every window's invariants are checked after every step.
class Monkey {
public:
    struct Row {
        QString id; // also the name of the subject's folder
        int record; // the index of its subject record in the window
        bool loads; // else "View" blames its matrix file
    };

    Monkey(Kestrel* window, unsigned seed)
        : m_window(window)
        , m_seed(seed)
        , m_random(seed)
    {
        std::srand(seed); // the matrices' values come from Eigen's Random
        window->setManifestPicker([this](QWidget*) { return fileDialogAnswer; });
        window->setErrorReporter([this](QWidget*, const QString& message) { errors.append(message); });
    }

    // Stops at the first failed check and prints the seed and the last steps.
    void run(int steps)
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

    QWidget* window() const { return m_window; }
    template <typename W = QPushButton>
    W* child(const char* name) const { return m_window->findChild<W*>(name); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    QString path(const QString& id, const char* file) const { return m_dir.filePath(id + '/' + file); }
    void note(const QString& text) { m_trail.last() += ' ' + text; } // to the current step's line
    template <typename W>
    static QList<W*> visible()
    {
        QList<W*> found;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* w = qobject_cast<W*>(widget); w && w->isVisible())
                found.append(w);
        return found;
    }
    // One of the visible top-level windows of type W, or null.
    template <typename W>
    W* anyOf()
    {
        const QList<W*> found = visible<W>();
        return found.isEmpty() ? nullptr : found[pick(found.size())];
    }

    QString fileDialogAnswer; // empty: cancelled
    QStringList errors;       // reported through the seam; a step takes those it caused
    QList<Row> rows;          // what the subjects table should show
    int records = 0;
    int selectedRow = -1;

private:
    QWidget* m_window;
    unsigned m_seed;
    std::mt19937 m_random;
    QTemporaryDir m_dir;
    QStringList m_trail;
};
