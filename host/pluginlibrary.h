#pragma once

#include "plugin/lshxplugininterface.h"

#include <QLibrary>
#include <QString>

#include <memory>

// The descriptive strings a plug-in library exports.
struct PluginDescription {
    QString name;
    QString description;
    QString author;
    QString version;
    QString helpFile;
    QString guiScript;
};

// A plug-in library loaded by path, its entry points and the one plug-in
// object the host creates from it.
class PluginLibrary {
public:
    explicit PluginLibrary(const QString& path);
    // Releases the plug-in object and the library, see unload().
    ~PluginLibrary();

    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Loads the library and resolves all entry points; on failure
    // errorString() says why.
    bool load();
    QString errorString() const;

    PluginDescription description() const;
    // Calls createPlugin once; the library keeps the object. Null on failure.
    LSHXPluginInterface* createPlugin();
    LSHXPluginInterface* plugin() const;

    // Destroys the plug-in object, then unloads the library. Windows of the
    // plug-in must be gone by then: their code goes with the library.
    void unload();

private:
    using CreatePlugin = decltype(&::createPlugin);
    using DescriptiveString = decltype(&::getPluginName);

    struct EntryPoints {
        CreatePlugin createPlugin = nullptr;
        DescriptiveString name = nullptr;
        DescriptiveString description = nullptr;
        DescriptiveString author = nullptr;
        DescriptiveString version = nullptr;
        DescriptiveString helpFile = nullptr;
        DescriptiveString guiScript = nullptr;
    };

    QLibrary m_library;
    EntryPoints m_entryPoints;
    QString m_error;
    std::unique_ptr<LSHXPluginInterface> m_plugin;
};
