// kestrel-tour STUDY-FOLDER OUTPUT-FOLDER
//
// Opens the plug-in's windows on a study without a user and saves a picture
// of each into the output folder. Without a display it runs offscreen.

#include "tour.h"

#include <QApplication>

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

    Tour tour(QDir(args[1]), output);
    const bool ok = tour.run();
    for (const QString& file : tour.writtenFiles())
        std::cout << "kestrel-tour: wrote " << file.toStdString() << '\n';
    return ok ? 0 : 1;
}
