#include "plugin/lsplugin.h"

#include "mainwindow/kestrel.h"
#include "plugin/hostfunctiontable.h"
#include "plugin/hostmodule.h"
#include "plugin/plugininfo.h"

#include <QDebug>

#include <cstdio>
#include <exception>
#include <tuple>

namespace {

constexpr int requiredMajor = 2;
constexpr int requiredMinor = 6;
constexpr int requiredPatch = 0;

constexpr const char* versionRefusal =
    "Plugin> Can not execute this plugin - LodestarHX version 2.6.0 or higher required.";

// The plug-in talks to one host per process, so the table is shared.
HostFunctionTable& host()
{
    static HostFunctionTable table;
    return table;
}

bool bindToHost()
{
    const HostModule module = HostModule::find();
    return module.isLoaded() && host().bind([&module](const char* name) { return module.resolve(name); });
}

bool isSupportedHostVersion(int major, int minor, int patch)
{
    return std::tie(major, minor, patch) >= std::tie(requiredMajor, requiredMinor, requiredPatch);
}

void logStartLines()
{
    char line[256];
    std::snprintf(line, sizeof line, "Plugin> ** Starting %s **", PluginInfo::name);
    host().logText(line);
    std::snprintf(line, sizeof line, "Plugin> * Please check our support website (%s) for frequent updates.",
                  PluginInfo::supportWebsite);
    host().logText(line);
}

// The host calls the plug-in from C code: nothing may unwind into it.
template <typename Body>
bool guarded(const char* failure, Body body)
{
    try {
        return body();
    } catch (const std::exception& e) {
        qWarning("Kestrel: %s: %s", failure, e.what());
    } catch (...) {
        qWarning("Kestrel: %s", failure);
    }
    return false;
}

} // namespace

lsplugin::lsplugin() = default;

lsplugin::~lsplugin() = default;

bool lsplugin::initPlugin()
{
    return guarded("initialisation failed", [this] {
        if (!bindToHost())
            return false;

        int major = 0;
        int minor = 0;
        int patch = 0;
        host().getVersionOfLodestarHX(&major, &minor, &patch);
        if (!isSupportedHostVersion(major, minor, patch)) {
            host().messageBox(versionRefusal);
            return false;
        }

        host().showLogPane();
        logStartLines();
        m_mainWindow.clear();
        return true;
    });
}

bool lsplugin::execute()
{
    return guarded("the main window could not be opened", [this] {
        if (!m_mainWindow) {
            m_mainWindow = new Kestrel;
            m_mainWindow->setAttribute(Qt::WA_DeleteOnClose);
        }
        m_mainWindow->show();
        m_mainWindow->raise();
        m_mainWindow->activateWindow();
        return true;
    });
}
