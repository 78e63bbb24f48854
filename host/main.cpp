// The stand-in Lodestar HX host: loads one plug-in library, starts the
// plug-in the way the real host does and offers it in the "Plugins" menu.

#include "hostapi.h"
#include "hostoptions.h"
#include "hostwindow.h"
#include "pluginlibrary.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include <cstdio>

namespace {

enum ExitStatus { Started = 0, Refused = 1, NotLoaded = 2 };

void logDescription(HostApi& api, const PluginDescription& plugin)
{
    api.log(QStringLiteral("Host> Plug-in: ") + plugin.name);
    api.log(QStringLiteral("Host> Description: ") + plugin.description);
    api.log(QStringLiteral("Host> Author: ") + plugin.author);
    api.log(QStringLiteral("Host> Version: ") + plugin.version);
    api.log(QStringLiteral("Host> Help file: ") + plugin.helpFile);
    api.log(QStringLiteral("Host> GUI script: ") + plugin.guiScript);
}

// Creates and initialises the plug-in and executes it once; true when
// initPlugin accepted this host.
bool startPlugin(HostApi& api, PluginLibrary& library)
{
    logDescription(api, library.description());
    LSHXPluginInterface* plugin = library.createPlugin();
    if (!plugin) {
        api.log(QStringLiteral("Host> createPlugin returned no plug-in object."));
        return false;
    }
    if (!plugin->initPlugin()) {
        api.log(QStringLiteral("Host> The plug-in did not initialise; it will not be executed."));
        return false;
    }
    plugin->execute();
    return true;
}

// The plug-in's windows run code from its library, so every one of them must
// be gone before the library is unloaded: close all windows (those that
// delete themselves on close post a deferred delete), delete the parentless
// top-level widgets that are left apart from the host's own, and run the
// deferred deletes.
void shutDown(HostWindow& hostWindow, PluginLibrary& library)
{
    QApplication::closeAllWindows();
    QList<QPointer<QWidget>> leftOver;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget != &hostWindow && !widget->parent())
            leftOver.append(widget);
    }
    // Deleting one may delete others of the list, hence the guarded pointers.
    for (const QPointer<QWidget>& widget : leftOver)
        delete widget.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    library.unload();
}

} // namespace

int main(int argc, char* argv[])
{
    const QString pluginPath = HostOptions::takePluginPath(argc, argv);
    QApplication application(argc, argv);
    // Plug-in windows do not keep the host alive; the host window decides.
    QApplication::setQuitOnLastWindowClosed(false);

    HostOptions options;
    QString error;
    if (!HostOptions::parse(QApplication::arguments(), pluginPath, &options, &error)) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return NotLoaded;
    }

    HostWindow hostWindow;
    QObject::connect(&hostWindow, &HostWindow::quitRequested, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    HostApi& api = HostApi::instance();
    api.setVersion(options.hostVersion);
    api.setWindow(&hostWindow);
    if (!options.quitAfterStart) {
        api.setMessagePresenter([&hostWindow](const QString& text) {
            QMessageBox::information(&hostWindow, QStringLiteral("LodestarHX"), text);
        });
    }
    hostWindow.show();

    PluginLibrary library(options.pluginPath);
    if (!library.load()) {
        std::fprintf(stderr, "%s\n", library.errorString().toUtf8().constData());
        return NotLoaded;
    }
    const bool started = startPlugin(api, library);
    if (started) {
        QAction* action = hostWindow.addPluginAction(library.description().name);
        QObject::connect(action, &QAction::triggered, &hostWindow, [&library] { library.plugin()->execute(); });
    }

    int status = started ? Started : Refused;
    if (options.quitAfterStart)
        QCoreApplication::processEvents();
    else
        status = QApplication::exec();

    shutDown(hostWindow, library);
    api.setWindow(nullptr);
    api.setMessagePresenter({});
    return status;
}
