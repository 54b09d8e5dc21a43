// What a build with a back end for Wayland sessions needs before the toolkit starts.
#include "platform/Platform.h"

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

} // namespace platform
