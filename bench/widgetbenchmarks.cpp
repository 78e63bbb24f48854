#include "widgetbenchmarks.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

int runWidgetBenchmarks(int argc, char** argv, const std::function<void()>& registerBenchmarks,
                        const std::function<void()>& cleanUp)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    registerBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (cleanUp)
        cleanUp();
    return 0;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}
