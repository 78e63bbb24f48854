#pragma once

#include <array>
#include <cstddef>
#include <functional>

// The host's exported functions, looked up by name. Every entry is filled
// when the plug-in binds to the host; only four are ever called, through the
// typed calls below. A name the host does not export leaves its entry empty.
class HostFunctionTable {
public:
    using Function = void (*)();
    // Returns the address of the named host function, or nullptr.
    using Resolver = std::function<Function(const char* name)>;

    static constexpr std::size_t size = 190;

    // Empties the table, then looks up every name. Fails, with the table left
    // empty, when the host lacks hxGetVersionOfLodestarHX.
    bool bind(const Resolver& resolve);

    // nullptr for a name the host does not export or that is not in the table.
    Function function(const char* name) const;

    // The four functions the plug-in calls. A host that does not export one
    // of them gets nothing instead of a jump to address zero.
    void getVersionOfLodestarHX(int* major, int* minor, int* patch) const;
    void showLogPane() const;
    void logText(const char* line) const;
    void messageBox(const char* text) const;

private:
    template <typename Signature>
    Signature typed(const char* name) const;

    std::array<Function, size> m_functions{};
};
