#include "tour.h"

#include "toursteps.h"

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
    if (addSubjects()) {
        dialogSteps(*this);
        viewerSteps(*this);
        circularPlotSteps(*this);
        graphFeatureSteps(*this);
    }
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
        fail(QStringLiteral("no manifest.json below %1").arg(m_study.path()));
        return false;
    }
    for (const QString& manifest : qAsConst(manifests))
        m_window->addSubjectFile(manifest);
    save(m_window, "main-window");
    return true;
}

int Tour::subjectCount() const
{
    return m_window->findChild<QTableView*>("tbl_Subjects")->model()->rowCount();
}

QString Tour::subjectId(int row) const
{
    auto* table = m_window->findChild<QTableView*>("tbl_Subjects");
    return table->model()->index(row, 0).data().toString();
}

QWidget* Tour::openSubject(int row)
{
    auto* table = m_window->findChild<QTableView*>("tbl_Subjects");
    auto* view = qobject_cast<QPushButton*>(table->indexWidget(table->model()->index(row, 1)));
    if (!view) {
        fail(QStringLiteral("row %1 has no \"View\" button").arg(row));
        return nullptr;
    }
    view->click();
    QApplication::processEvents();
    // Every press makes a new subject object; its dialog is the window opened.
    const auto subjects = m_window->findChildren<ConnectivityObject*>(QString(), Qt::FindDirectChildrenOnly);
    if (!subjects.isEmpty())
        if (auto* dialog = qobject_cast<QWidget*>(subjects.last()->dialog()))
            return dialog;
    fail(QStringLiteral("\"View\" of row %1 opened no window").arg(row));
    return nullptr;
}

void Tour::save(QWidget* window, const QString& name)
{
    QApplication::processEvents();
    const QString file = m_output.filePath(QStringLiteral("%1-%2.png").arg(m_written.size() + 1, 2, 10, QChar('0')).arg(name));
    if (window->grab().save(file, "PNG"))
        m_written.append(file);
    else
        fail(QStringLiteral("could not write %1").arg(file));
}

void Tour::fail(const QString& message)
{
    m_errors.append(message);
}

Kestrel* Tour::mainWindow() const
{
    return m_window;
}
