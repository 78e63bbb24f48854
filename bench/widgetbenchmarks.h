#pragma once

#include <functional>

// What the benchmarks of the plug-in's windows share: an offscreen
// application around the Google Benchmark run, and the process's peak memory.

// Runs the registered benchmarks inside an offscreen QApplication; cleanUp
// runs after the last benchmark, while the application still exists.
int runWidgetBenchmarks(int argc, char** argv, const std::function<void()>& registerBenchmarks,
                        const std::function<void()>& cleanUp = {});

// The largest resident set of the process so far, in megabytes.
double peakMegabytes();
