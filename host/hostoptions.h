#pragma once

#include "hostapi.h"

#include <QString>
#include <QStringList>

// The stand-in host's command line.
struct HostOptions {
    QString pluginPath;
    HostVersion hostVersion;
    // Start the plug-in, then shut down at once; message boxes only print.
    bool quitAfterStart = false;

    // Fills options from arguments (the program name first). On failure
    // returns false with a message in error; help and version requests end
    // the program as usual.
    static bool parse(const QStringList& arguments, HostOptions* options, QString* error);
    // libKestrel.so (Kestrel.dll) beside the running executable.
    static QString defaultPluginPath();
};
