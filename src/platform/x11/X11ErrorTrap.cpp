#include "platform/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>

namespace platform::x11 {
namespace {

int trapDepth = 0;
bool errorSeen = false;

int recordError(Display*, XErrorEvent*)
{
    errorSeen = true;
    return 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display), previous_(nullptr)
{
    if (display_)
        XSync(display_, False);
    if (trapDepth++ == 0) {
        errorSeen = false;
        previous_ = reinterpret_cast<void*>(XSetErrorHandler(recordError));
    }
}

X11ErrorTrap::~X11ErrorTrap()
{
    if (display_)
        XSync(display_, False);
    if (--trapDepth == 0)
        XSetErrorHandler(reinterpret_cast<XErrorHandler>(previous_));
}

bool X11ErrorTrap::failed()
{
    if (display_)
        XSync(display_, False);
    const bool seen = errorSeen;
    errorSeen = false;
    return seen;
}

} // namespace platform::x11
