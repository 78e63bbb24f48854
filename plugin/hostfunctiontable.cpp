#include "plugin/hostfunctiontable.h"

#include "plugin/lshxplugininterface.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr const char* versionFunction = "hxGetVersionOfLodestarHX";

constexpr const char* hostFunctionNames[] = {
#include "hostfunctionnames.inc"
};

static_assert(std::size(hostFunctionNames) == HostFunctionTable::size,
              "plugin/hostfunctions.txt must list exactly the host's 190 functions");

std::size_t indexOf(const char* name)
{
    const auto found = std::find_if(std::begin(hostFunctionNames), std::end(hostFunctionNames),
                                    [name](const char* entry) { return std::strcmp(entry, name) == 0; });
    return static_cast<std::size_t>(found - std::begin(hostFunctionNames));
}

} // namespace

bool HostFunctionTable::bind(const Resolver& resolve)
{
    m_functions.fill(nullptr);
    const Function version = resolve(versionFunction);
    if (!version)
        return false;

    for (std::size_t i = 0; i < size; ++i) {
        const char* name = hostFunctionNames[i];
        m_functions[i] = std::strcmp(name, versionFunction) == 0 ? version : resolve(name);
    }
    return true;
}

HostFunctionTable::Function HostFunctionTable::function(const char* name) const
{
    const std::size_t index = indexOf(name);
    return index < size ? m_functions[index] : nullptr;
}

template <typename Signature>
Signature HostFunctionTable::typed(const char* name) const
{
    return reinterpret_cast<Signature>(function(name));
}

void HostFunctionTable::getVersionOfLodestarHX(int* major, int* minor, int* patch) const
{
    if (const auto call = typed<HxGetVersionOfLodestarHX>(versionFunction))
        call(major, minor, patch);
}

void HostFunctionTable::showLogPane() const
{
    if (const auto call = typed<HxShowLogPane>("hxShowLogPane"))
        call();
}

void HostFunctionTable::logText(const char* line) const
{
    if (const auto call = typed<HxLogText>("hxLogText"))
        call(line);
}

void HostFunctionTable::messageBox(const char* text) const
{
    if (const auto call = typed<HxMessageBox>("hxMessageBox"))
        call(text);
}
