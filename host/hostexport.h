#pragma once

#include <cstdio>

// Marks a function the host exports to its plug-ins: unmangled, and visible
// in the executable's dynamic symbol table.
#ifdef _WIN32
#define LODESTAR_EXPORT extern "C" __declspec(dllexport)
#else
#define LODESTAR_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// What a host function this stand-in does not implement does when called.
inline void reportNotProvided(const char* name)
{
    std::fprintf(stderr, "%s: not provided by this host\n", name);
}
