#include "platform/x11/X11Connection.h"

#include <X11/Xlib.h>

namespace platform::x11 {

X11Connection::X11Connection() : display_(XOpenDisplay(nullptr)) {}

X11Connection::~X11Connection()
{
    if (display_)
        XCloseDisplay(display_);
}

void X11Connection::readEvents()
{
    if (!display_)
        return;
    while (XEventsQueued(display_, QueuedAfterReading) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        for (const EventHandler& handler : handlers_)
            handler(event);
    }
}

} // namespace platform::x11
