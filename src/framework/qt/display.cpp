#include "framework/qt/display.h"

#include <QtGlobal>
#include <cstdlib>

namespace fw {

namespace {
bool IsSet(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}
}  // namespace

bool HasDisplay() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

}  // namespace fw
