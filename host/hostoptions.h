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

    // Qt's start-up takes "--plugin" for its own plug-ins, so the host's
    // option of that name ("--plugin PATH" or "--plugin=PATH") is taken out
    // of argv before QApplication sees it. Returns the path, or an empty
    // string when the option is absent.
    static QString takePluginPath(int& argc, char** argv);

    // Fills options from the arguments left for the host (the program name
    // first) and the path taken before. On failure returns false with a
    // message in error; a help request ends the program as usual.
    static bool parse(const QStringList& arguments, const QString& pluginPath, HostOptions* options, QString* error);
    // libKestrel.so (Kestrel.dll) beside the running executable.
    static QString defaultPluginPath();
};
