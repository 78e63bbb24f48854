#include "tour.h"
#include "toursteps.h"

// Walks through the graph measures and their plots.
void graphFeatureSteps(Tour&)
{
}
