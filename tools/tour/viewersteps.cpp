#include "tour.h"
#include "toursteps.h"

// Walks through the matrix viewer.
void viewerSteps(Tour&)
{
}
