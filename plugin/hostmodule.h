#pragma once

#include "plugin/hostfunctiontable.h"

#include <functional>
#include <string>

// The host's executable module among the modules of the running process,
// and the look-up of its exported functions by name.
//
// The host is "LodestarHX.exe", or failing that "Lodestar.exe". On Windows
// that is the name of a loaded module. Elsewhere the running program itself
// is the host when its file name, with any ".exe" ending dropped, is
// "LodestarHX" or "Lodestar"; its symbols then are the host's exports.
class HostModule {
public:
    HostModule() = default;
    HostModule(HostModule&& other) noexcept;
    HostModule& operator=(HostModule&& other) noexcept;
    HostModule(const HostModule&) = delete;
    HostModule& operator=(const HostModule&) = delete;
    ~HostModule();

    // An empty module when no host is loaded.
    static HostModule find();

    bool isLoaded() const;
    // nullptr when the module does not export the name, or none is loaded.
    HostFunctionTable::Function resolve(const char* name) const;

#ifndef _WIN32
    // Returns the path of the running program; /proc/self/exe by default.
    using ExecutablePathProvider = std::function<std::string()>;
    // Lets tests pretend to run inside a host of a given name. An empty
    // provider restores the default.
    static void setExecutablePathProvider(ExecutablePathProvider provider);
#endif

private:
    explicit HostModule(void* handle);

    void* m_handle = nullptr;
};
