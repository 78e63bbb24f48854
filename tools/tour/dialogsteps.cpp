#include "tour.h"
#include "toursteps.h"

// Opens every subject's analysis dialog and saves a picture of it.
void dialogSteps(Tour& tour)
{
    for (int row = 0; row < tour.subjectCount(); ++row)
        if (QWidget* dialog = tour.openSubject(row))
            tour.save(dialog, "subject-" + tour.subjectId(row));
}
