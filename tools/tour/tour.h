#pragma once

#include <QDir>
#include <QPointer>
#include <QStringList>

class Kestrel;
class QWidget;

// Walks through the plug-in's windows the way a user would on a study, and
// saves a picture of each window into the output folder. Each window's walk
// is a step function of its own (tourSteps.h); they share this class's
// helpers.
class Tour {
public:
    Tour(const QDir& study, const QDir& output);
    ~Tour();

    // Runs every step; returns false when a step failed (after saying why on
    // standard error).
    bool run();

    QStringList writtenFiles() const { return m_written; }

    Kestrel* mainWindow() const;
    QDir outputFolder() const { return m_output; }
    // Presses the "View" button of a subjects-table row and returns the window
    // it opened or brought back; null (with the failure recorded) when none.
    QWidget* openSubject(int row);
    QString subjectId(int row) const;
    int subjectCount() const;
    // Saves a picture of the window as NN-name.png.
    void save(QWidget* window, const QString& name);
    // Records a failed step; the tour goes on and reports it at the end.
    void fail(const QString& message);

private:
    bool addSubjects();

    QDir m_study;
    QDir m_output;
    QPointer<Kestrel> m_window;
    QStringList m_written;
    QStringList m_errors;
};
