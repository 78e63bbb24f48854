// The host functions the plug-in calls, apart from the version query (see
// versionfunction.cpp). Nothing may unwind into the plug-in's C callers.

#include "hostapi.h"
#include "hostexport.h"

#include "plugin/lshxplugininterface.h"

#include <exception>
#include <type_traits>

namespace {

template <typename Action>
void guarded(const char* function, Action action)
{
    try {
        action();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", function, e.what());
    } catch (...) {
        std::fprintf(stderr, "%s: failed\n", function);
    }
}

} // namespace

LODESTAR_EXPORT void hxShowLogPane()
{
    guarded(__func__, [] { HostApi::instance().showLogPane(); });
}

LODESTAR_EXPORT void hxLogText(const char* line)
{
    if (line)
        guarded(__func__, [line] { HostApi::instance().log(QString::fromUtf8(line)); });
}

LODESTAR_EXPORT void hxMessageBox(const char* text)
{
    if (text)
        guarded(__func__, [text] { HostApi::instance().showMessage(QString::fromUtf8(text)); });
}

static_assert(std::is_same_v<decltype(&hxShowLogPane), HxShowLogPane>);
static_assert(std::is_same_v<decltype(&hxLogText), HxLogText>);
static_assert(std::is_same_v<decltype(&hxMessageBox), HxMessageBox>);
