#include "platform/x11/X11Connection.h"

#include <X11/Xlib.h>

namespace platform::x11 {

X11Connection::X11Connection() : display_(XOpenDisplay(nullptr)) {}

X11Connection::~X11Connection()
{
    if (display_)
        XCloseDisplay(display_);
}

} // namespace platform::x11
