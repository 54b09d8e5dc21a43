#include "platform/x11/X11Input.h"

#include "platform/x11/X11Connection.h"

#include <X11/Xlib.h>

namespace platform::x11 {

X11Input::PointerState X11Input::query()
{
    PointerState state;
    Display* display = connection_.display();
    if (!display)
        return state;
    Window root = 0, child = 0;
    int winX = 0, winY = 0;
    state.valid = XQueryPointer(display, DefaultRootWindow(display), &root, &child, &state.rootX, &state.rootY,
                                &winX, &winY, &state.mask) != 0;
    return state;
}

QPoint X11Input::cursorPos()
{
    const PointerState state = query();
    return state.valid ? QPoint(state.rootX, state.rootY) : QPoint();
}

int X11Input::logicalButtonOf(int physicalButton)
{
    // The pointer mapping says which logical button each physical one produces;
    // the server reports logical buttons in the mask.
    if (!mappingAge_.isValid() || mappingAge_.hasExpired(MappingMaxAgeMs)) {
        mappingCount_ = XGetPointerMapping(connection_.display(), mapping_.data(), int(mapping_.size()));
        mappingAge_.start();
    }
    if (physicalButton > mappingCount_)
        return physicalButton;
    return mapping_[physicalButton - 1];
}

bool X11Input::isButtonDown(int vk)
{
    int physical = 0;
    switch (vk) {
    case VK_LBUTTON: physical = 1; break;
    case VK_MBUTTON: physical = 2; break;
    case VK_RBUTTON: physical = 3; break;
    default: return false;
    }
    const PointerState state = query();
    if (!state.valid)
        return false;
    static constexpr unsigned int ButtonMasks[] = {Button1Mask, Button2Mask, Button3Mask, Button4Mask, Button5Mask};
    const int logical = logicalButtonOf(physical);
    if (logical < 1 || logical > 5)
        return false; // the button is switched off in the mapping
    return (state.mask & ButtonMasks[logical - 1]) != 0;
}

bool X11Input::isShiftDown()
{
    const PointerState state = query();
    return state.valid && (state.mask & ShiftMask) != 0;
}

} // namespace platform::x11
