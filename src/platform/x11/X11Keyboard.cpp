#include "platform/x11/X11Keyboard.h"

#include "platform/x11/X11Connection.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace platform::x11 {
namespace {

// The key symbol of a virtual key: the keys the program types, letters and digits.
KeySym keySymOf(std::uint8_t virtualKey)
{
    switch (virtualKey) {
    case key::Control:
        return XK_Control_L;
    case key::Insert:
        return XK_Insert;
    default:
        break;
    }
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return XK_a + (virtualKey - 'A');
    if (virtualKey >= '0' && virtualKey <= '9')
        return XK_0 + (virtualKey - '0');
    return NoSymbol;
}

} // namespace

void X11Keyboard::keyEvent(std::uint8_t virtualKey, std::uint8_t, std::uint32_t flags)
{
    Display* display = connection_.display();
    const KeySym symbol = keySymOf(virtualKey);
    if (!display || symbol == NoSymbol)
        return;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor))
        return;
    const KeyCode code = XKeysymToKeycode(display, symbol);
    if (code == 0)
        return;
    XTestFakeKeyEvent(display, code, (flags & key::KeyUp) ? False : True, CurrentTime);
    XFlush(display);
}

} // namespace platform::x11
