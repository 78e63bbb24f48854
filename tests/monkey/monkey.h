#pragma once

#include "monkeyparts.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <random>

class Kestrel;

// A randomized user of the main window and of everything it opens. It keeps
// what the user should see (the rows of the subjects table and the selected
// row) next to the real window, answers the window's seams, and runs steps
// drawn from every MonkeyPart, checking every part's invariants after each.
class Monkey {
public:
    // A row of the subjects table as the user should see it.
    struct Row {
        QString studyId;
        int record;           // the index of its subject record in the window
        QString manifestPath; // unique per added subject
        bool loads;           // whether its matrices read, i.e. "View" opens a dialog
        QString blamedFile;   // for a subject that does not load: the file to blame
    };

    Monkey(Kestrel* window, unsigned seed);

    // Runs steps steps; stops at the first failed QtTest check and prints
    // the steps that led to it.
    void run(int steps);

    Kestrel* window() const { return m_window; }
    QString folder() const { return m_dir.path(); }

    // A uniformly drawn index below n (n > 0), and a coin that lands true
    // with the given chance.
    int pick(int n);
    bool chance(double probability);
    // A new folder name, unique in this run.
    QString newFolder(const QString& prefix);

    // Describes the current step for the trail printed on failure.
    void note(const QString& text) { m_trail.append(text); }

    // The answer of the next file dialog; empty means cancelled.
    void answerFileDialog(const QString& path) { m_fileDialogAnswer = path; }

    // Messages reported through the error seam and not yet taken. Every
    // step must take those it caused; a check fails on any left.
    QStringList& errors() { return m_errors; }

    // The visible top-level widgets of type W.
    template <typename W>
    QList<W*> visibleWindows() const
    {
        QList<W*> found;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* w = qobject_cast<W*>(widget); w && w->isVisible())
                found.append(w);
        }
        return found;
    }

    QList<Row> rows;      // what the table should show
    int records = 0;      // subject records the window holds
    int selectedRow = -1; // the row the user selected, -1 for none

private:
    QPointer<Kestrel> m_window;
    std::mt19937 m_random;
    QTemporaryDir m_dir;
    int m_folders = 0;
    QString m_fileDialogAnswer;
    QStringList m_errors;
    QStringList m_trail;
};
