#include "tour.h"

#include "mainwindow/kestrel.h"

#include <QApplication>
#include <QDirIterator>
#include <QPushButton>
#include <QTableView>

#include <iostream>

Tour::Tour(const QDir& study, const QDir& output)
    : m_study(study)
    , m_output(output)
    , m_window(new Kestrel)
{
    m_window->setErrorReporter([this](QWidget*, const QString& message) { m_errors.append(message); });
    m_window->show();
}

Tour::~Tour()
{
    delete m_window;
}

bool Tour::run()
{
    if (addSubjects())
        openSubjectDialogs();
    for (const QString& error : qAsConst(m_errors))
        std::cerr << "kestrel-tour: " << error.toStdString() << '\n';
    return m_errors.isEmpty();
}

bool Tour::addSubjects()
{
    QStringList manifests;
    QDirIterator it(m_study.path(), {"manifest.json"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        manifests.append(it.next());
    manifests.sort();
    if (manifests.isEmpty()) {
        m_errors.append(QStringLiteral("no manifest.json below %1").arg(m_study.path()));
        return false;
    }
    for (const QString& manifest : qAsConst(manifests))
        m_window->addSubjectFile(manifest);
    save(m_window, "main-window");
    return true;
}

void Tour::openSubjectDialogs()
{
    auto* table = m_window->findChild<QTableView*>("tbl_Subjects");
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        const QWidgetList before = QApplication::topLevelWidgets();
        qobject_cast<QPushButton*>(table->indexWidget(table->model()->index(row, 1)))->click();
        const QString id = table->model()->index(row, 0).data().toString();
        for (QWidget* window : QApplication::topLevelWidgets())
            if (!before.contains(window) && window->isVisible())
                save(window, "subject-" + id);
    }
}

void Tour::save(QWidget* window, const QString& name)
{
    QApplication::processEvents();
    const QString file = m_output.filePath(QStringLiteral("%1-%2.png").arg(m_written.size() + 1, 2, 10, QChar('0')).arg(name));
    if (window->grab().save(file, "PNG"))
        m_written.append(file);
    else
        m_errors.append(QStringLiteral("could not write %1").arg(file));
}
