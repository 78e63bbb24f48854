// The host's version query, in a file of its own so that a test host can be
// built without it.

#include "hostapi.h"
#include "hostexport.h"

#include "plugin/lshxplugininterface.h"

#include <type_traits>

LODESTAR_EXPORT void hxGetVersionOfLodestarHX(int* major, int* minor, int* patch)
{
    const HostVersion version = HostApi::instance().version();
    if (major)
        *major = version.major;
    if (minor)
        *minor = version.minor;
    if (patch)
        *patch = version.patch;
}

static_assert(std::is_same_v<decltype(&hxGetVersionOfLodestarHX), HxGetVersionOfLodestarHX>);
