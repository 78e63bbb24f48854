#include "pluginlibrary.h"

#include <QCoreApplication>

namespace {

QString text(const char* (*entryPoint)())
{
    return entryPoint ? QString::fromUtf8(entryPoint()) : QString();
}

} // namespace

PluginLibrary::PluginLibrary(const QString& path)
    : m_library(path)
{
}

PluginLibrary::~PluginLibrary()
{
    unload();
}

bool PluginLibrary::load()
{
    if (!m_library.load()) {
        m_error = m_library.errorString();
        return false;
    }

    struct Entry {
        const char* symbol;
        DescriptiveString* target;
    };
    const Entry strings[] = {
        {"getPluginName", &m_entryPoints.name},
        {"getPluginDescription", &m_entryPoints.description},
        {"getAuthor", &m_entryPoints.author},
        {"getPluginVersion", &m_entryPoints.version},
        {"getHelpFile", &m_entryPoints.helpFile},
        {"getGUIScript", &m_entryPoints.guiScript},
    };
    m_entryPoints.createPlugin = reinterpret_cast<CreatePlugin>(m_library.resolve("createPlugin"));
    bool complete = m_entryPoints.createPlugin != nullptr;
    for (const Entry& entry : strings) {
        *entry.target = reinterpret_cast<DescriptiveString>(m_library.resolve(entry.symbol));
        complete = complete && *entry.target;
    }
    if (!complete) {
        m_error = QCoreApplication::translate("PluginLibrary", "%1 is not a Lodestar HX plug-in: an entry point is missing.")
                      .arg(m_library.fileName());
        m_entryPoints = {};
        m_library.unload();
        return false;
    }
    return true;
}

QString PluginLibrary::errorString() const
{
    return m_error;
}

PluginDescription PluginLibrary::description() const
{
    return {text(m_entryPoints.name),     text(m_entryPoints.description), text(m_entryPoints.author),
            text(m_entryPoints.version),  text(m_entryPoints.helpFile),    text(m_entryPoints.guiScript)};
}

LSHXPluginInterface* PluginLibrary::createPlugin()
{
    if (!m_plugin && m_entryPoints.createPlugin)
        m_plugin.reset(m_entryPoints.createPlugin());
    return m_plugin.get();
}

LSHXPluginInterface* PluginLibrary::plugin() const
{
    return m_plugin.get();
}

void PluginLibrary::unload()
{
    m_plugin.reset();
    m_entryPoints = {};
    if (m_library.isLoaded())
        m_library.unload();
}
