// Builds with the Wayland back end: in a Wayland session it joins the X11 one, which
// keeps the program's windows (through XWayland). Builds with the GNOME one use it in
// GNOME sessions whose Shell runs the program's extension.
#include "platform/wayland/WaylandPlatform.h"
#ifdef QLR_WITH_GNOME
#include "platform/gnome/GnomePlatform.h"
#endif
#include "platform/x11/X11Platform.h"

#include <QtGlobal>
#include <cstdio>

namespace platform {

bool prepareSession()
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    // Only X11 lets a program place a borderless popup at absolute coordinates without
    // taking the focus, so the windows go through XWayland whatever Qt would pick.
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fputs("Quillora: this Wayland session has no XWayland (DISPLAY is not set). The program's windows "
                   "need it: enable XWayland in the compositor, or start an X11 session.\n",
                   stderr);
        return false;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    return true;
}

std::unique_ptr<Platform> createPlatform()
{
    auto x11 = x11::createX11Platform();
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return x11;
#ifdef QLR_WITH_GNOME
    // GNOME's Shell alone sees what the program needs, through its extension.
    if (gnome::isGnomeSession())
        if (auto gnome = gnome::createGnomePlatform(x11))
            return gnome;
#endif
    return wayland::createWaylandPlatform(std::move(x11));
}

} // namespace platform
