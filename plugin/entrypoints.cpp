// The library's exported entry points. They live in the module's own source
// so that the linker keeps them; everything else comes from the static
// libraries and stays hidden.

#include "plugin/lshxplugininterface.h"
#include "plugin/lsplugin.h"
#include "plugin/plugininfo.h"

#include <new>

extern "C" {

KESTREL_EXPORT LSHXPluginInterface* createPlugin()
{
    return new (std::nothrow) lsplugin;
}

KESTREL_EXPORT const char* getPluginName()
{
    return PluginInfo::name;
}

KESTREL_EXPORT const char* getPluginDescription()
{
    return PluginInfo::description;
}

KESTREL_EXPORT const char* getAuthor()
{
    return PluginInfo::author;
}

KESTREL_EXPORT const char* getHelpFile()
{
    return PluginInfo::helpFile;
}

KESTREL_EXPORT const char* getPluginVersion()
{
    return PluginInfo::version;
}

KESTREL_EXPORT const char* getGUIScript()
{
    return PluginInfo::guiScript;
}

} // extern "C"

// The version of the span-slider widget library built into the plug-in.
KESTREL_EXPORT const char* qxtVersion()
{
    return "0.7.0";
}
