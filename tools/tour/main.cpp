// kestrel-tour STUDY-FOLDER OUTPUT-FOLDER
//
// Opens the plug-in's windows on a study without a user and saves a picture
// of each into the output folder. Without a display it runs offscreen. What
// the plug-in writes to standard output (every matrix it loads) goes to
// standard-output.txt in the output folder, so that the tour's own report
// stays readable.

#include "tour.h"

#include <QApplication>

#include <fstream>
#include <iostream>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::cerr << "usage: kestrel-tour STUDY-FOLDER OUTPUT-FOLDER\n";
        return 2;
    }
    const QDir output(args[2]);
    if (!QDir().mkpath(output.path())) {
        std::cerr << "kestrel-tour: cannot create " << output.path().toStdString() << '\n';
        return 1;
    }

    std::ofstream pluginOutput(output.filePath("standard-output.txt").toStdString());
    std::streambuf* const standardOutput = std::cout.rdbuf(pluginOutput.rdbuf());
    Tour tour(QDir(args[1]), output);
    const bool ok = tour.run();
    std::cout.rdbuf(standardOutput);

    for (const QString& file : tour.writtenFiles())
        std::cout << "kestrel-tour: wrote " << file.toStdString() << '\n';
    return ok ? 0 : 1;
}
