#include "widgetbenchmarks.h"

#include "runbenchmarks.h"

#include <QApplication>

#include <sys/resource.h>

int runWidgetBenchmarks(int argc, char** argv, const std::function<void()>& registerBenchmarks,
                        const std::function<void()>& cleanUp)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (const int status = runBenchmarks(argc, argv, registerBenchmarks))
        return status;
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
