#include "tour.h"
#include "toursteps.h"

#include <QTabWidget>
#include <QWidget>

// Opens every subject's analysis dialog and saves a picture of each of its
// tabs, the switched-off nodes and filter pages included, then closes it.
void dialogSteps(Tour& tour)
{
    const QStringList tabNames{"visualization", "graph-features", "nodes", "filter"};
    for (int row = 0; row < tour.subjectCount(); ++row) {
        QWidget* dialog = tour.openSubject(row);
        if (!dialog)
            continue;
        auto* tabs = dialog->findChild<QTabWidget*>("tabWidget");
        if (!tabs || tabs->count() != tabNames.size()) {
            tour.fail(QStringLiteral("the dialog of %1 does not have its %2 tabs")
                          .arg(tour.subjectId(row))
                          .arg(tabNames.size()));
            continue;
        }
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            tour.save(dialog, QStringLiteral("subject-%1-%2").arg(tour.subjectId(row), tabNames[tab]));
        }
        tabs->setCurrentIndex(0);
        dialog->close();
    }
}
