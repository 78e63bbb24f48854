#pragma once

// The contract between Lodestar HX and its plug-ins: the plug-in base class,
// the plain entry points the host reads from the plug-in library, and the
// signatures of the host functions the plug-in calls. The host includes this
// header only; everything else in plugin/ is the plug-in's own business.

#if defined(_WIN32)
#  if defined(KESTREL_BUILDING_PLUGIN)
#    define KESTREL_EXPORT __declspec(dllexport)
#  else
#    define KESTREL_EXPORT __declspec(dllimport)
#  endif
#else
#  define KESTREL_EXPORT __attribute__((visibility("default")))
#endif

// Host functions the plug-in calls. Their results are never used, so the
// host's side returns nothing.
extern "C" {
typedef void (*HxGetVersionOfLodestarHX)(int* major, int* minor, int* patch);
typedef void (*HxShowLogPane)();
typedef void (*HxLogText)(const char* line);
typedef void (*HxMessageBox)(const char* text);
}

// Base class of every plug-in object. The host owns the object that
// createPlugin returns and destroys it through the virtual destructor.
class KESTREL_EXPORT LSHXPluginInterface {
public:
    LSHXPluginInterface();
    LSHXPluginInterface(const LSHXPluginInterface& other);
    LSHXPluginInterface& operator=(const LSHXPluginInterface& other);
    virtual ~LSHXPluginInterface();

    // Opens the plug-in's user interface; called each time the user starts the tool.
    virtual bool execute() = 0;
    // Called once after creation; the host executes only a plug-in that returned true.
    virtual bool initPlugin() = 0;
};

extern "C" {
KESTREL_EXPORT LSHXPluginInterface* createPlugin();
KESTREL_EXPORT const char* getPluginName();
KESTREL_EXPORT const char* getPluginDescription();
KESTREL_EXPORT const char* getAuthor();
KESTREL_EXPORT const char* getHelpFile();
KESTREL_EXPORT const char* getPluginVersion();
KESTREL_EXPORT const char* getGUIScript();
}
