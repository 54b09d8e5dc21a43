// Builds with the Wayland back end: in a Wayland session it joins the X11 one, which
// keeps the program's windows (through XWayland).
#include "platform/wayland/WaylandPlatform.h"
#include "platform/x11/X11Platform.h"

#include <QtGlobal>

namespace platform {

std::unique_ptr<Platform> createPlatform()
{
    auto x11 = x11::createX11Platform();
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return x11;
    return wayland::createWaylandPlatform(std::move(x11));
}

} // namespace platform
