#pragma once

class Tour;

// One walk per window, run in this order on the demo study.
void dialogSteps(Tour& tour);
void viewerSteps(Tour& tour);
void circularPlotSteps(Tour& tour);
void graphFeatureSteps(Tour& tour);
