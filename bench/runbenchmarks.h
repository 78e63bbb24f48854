#pragma once

#include <benchmark/benchmark.h>

#include <functional>

// The Google Benchmark command line that every benchmark program runs: reads
// the benchmark options, registers the benchmarks, runs the selected ones.
// Returns 1 for an option it does not know (nothing is registered or run),
// else 0. Header-only and free of Qt, so the quiver benchmarks need no more
// than quiver and Google Benchmark.
inline int runBenchmarks(int argc, char** argv, const std::function<void()>& registerBenchmarks)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    registerBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
