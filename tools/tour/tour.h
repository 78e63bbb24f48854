#pragma once

#include <QDir>
#include <QPointer>
#include <QStringList>

class Kestrel;
class QWidget;

// Walks through the plug-in's windows the way a user would on a study, and
// saves a picture of each window into the output folder.
class Tour {
public:
    Tour(const QDir& study, const QDir& output);
    ~Tour();

    // Runs every step; returns false when a step failed (after saying why on
    // standard error).
    bool run();

    QStringList writtenFiles() const { return m_written; }

private:
    bool addSubjects();
    void openSubjectDialogs();
    void save(QWidget* window, const QString& name);

    QDir m_study;
    QDir m_output;
    QPointer<Kestrel> m_window;
    QStringList m_written;
    QStringList m_errors;
};
