#include "plugin/hostmodule.h"

#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#endif

namespace {

// In the order they are tried.
constexpr const char* hostModuleNames[] = {"LodestarHX.exe", "Lodestar.exe"};

} // namespace

HostModule::HostModule(void* handle)
    : m_handle(handle)
{
}

HostModule::HostModule(HostModule&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr))
{
}

HostModule& HostModule::operator=(HostModule&& other) noexcept
{
    std::swap(m_handle, other.m_handle);
    return *this;
}

bool HostModule::isLoaded() const
{
    return m_handle != nullptr;
}

#ifdef _WIN32

HostModule::~HostModule() = default; // GetModuleHandleA takes no reference to release.

HostModule HostModule::find()
{
    for (const char* name : hostModuleNames) {
        if (HMODULE module = GetModuleHandleA(name))
            return HostModule(module);
    }
    return {};
}

HostFunctionTable::Function HostModule::resolve(const char* name) const
{
    if (!m_handle)
        return nullptr;
    return reinterpret_cast<HostFunctionTable::Function>(GetProcAddress(static_cast<HMODULE>(m_handle), name));
}

#else

namespace {

std::string readExecutablePath()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

HostModule::ExecutablePathProvider& executablePathProvider()
{
    static HostModule::ExecutablePathProvider provider = readExecutablePath;
    return provider;
}

// "/opt/lodestar/LodestarHX.exe" -> "LodestarHX"
std::string programName(const std::string& path)
{
    static const std::string exe = ".exe";
    std::string name = path.substr(path.find_last_of('/') + 1);
    if (name.size() >= exe.size() && name.compare(name.size() - exe.size(), exe.size(), exe) == 0)
        name.erase(name.size() - exe.size());
    return name;
}

} // namespace

HostModule::~HostModule()
{
    if (m_handle)
        dlclose(m_handle);
}

void HostModule::setExecutablePathProvider(ExecutablePathProvider provider)
{
    executablePathProvider() = provider ? std::move(provider) : readExecutablePath;
}

HostModule HostModule::find()
{
    const std::string running = programName(executablePathProvider()());
    for (const char* name : hostModuleNames) {
        if (running == programName(name))
            return HostModule(dlopen(nullptr, RTLD_LAZY));
    }
    return {};
}

HostFunctionTable::Function HostModule::resolve(const char* name) const
{
    if (!m_handle)
        return nullptr;
    return reinterpret_cast<HostFunctionTable::Function>(dlsym(m_handle, name));
}

#endif
