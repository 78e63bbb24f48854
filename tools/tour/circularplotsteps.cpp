#include "tour.h"
#include "toursteps.h"

// Walks through the circular plot.
void circularPlotSteps(Tour&)
{
}
