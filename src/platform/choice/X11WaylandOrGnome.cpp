// Builds with the Wayland and the GNOME back ends: in a Wayland session one of them
// joins the X11 one, which keeps the program's windows (through XWayland); GNOME's
// Shell alone sees what the program needs, through the program's extension.
#include "platform/gnome/GnomePlatform.h"
#include "platform/wayland/WaylandPlatform.h"
#include "platform/x11/X11Platform.h"

#include <QtGlobal>

namespace platform {

std::unique_ptr<Platform> createPlatform()
{
    auto x11 = x11::createX11Platform();
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return x11;
    if (gnome::isGnomeSession())
        if (auto gnome = gnome::createGnomePlatform(x11))
            return gnome;
    return wayland::createWaylandPlatform(std::move(x11));
}

} // namespace platform
