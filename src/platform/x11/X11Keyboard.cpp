#include "platform/x11/X11Keyboard.h"

#include "platform/x11/X11Connection.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace platform::x11 {

void X11Keyboard::press(CopyKeys keys)
{
    type(keys, true);
}

void X11Keyboard::release(CopyKeys keys)
{
    type(keys, false);
}

void X11Keyboard::type(CopyKeys keys, bool down)
{
    Display* display = connection_.display();
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!display || !XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor))
        return;
    const KeyCode control = XKeysymToKeycode(display, XK_Control_L);
    const KeyCode key = XKeysymToKeycode(display, keys == CopyKeys::ControlC ? XK_c : XK_Insert);
    if (control == 0 || key == 0)
        return;
    const KeyCode order[] = {down ? control : key, down ? key : control};
    for (const KeyCode code : order)
        XTestFakeKeyEvent(display, code, down ? True : False, CurrentTime);
    XFlush(display);
}

} // namespace platform::x11
