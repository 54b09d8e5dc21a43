#include "platform/x11/X11Input.h"

#include "platform/x11/X11Connection.h"

#include <X11/Xlib.h>

namespace platform::x11 {

Input::Sample X11Input::sample()
{
    Sample sample;
    Display* display = connection_.display();
    if (!display)
        return sample;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &winX, &winY, &mask))
        return sample; // the pointer is on another screen
    sample.position = QPoint(rootX, rootY);
    sample.left = physicalDown(1, mask);
    sample.middle = physicalDown(2, mask);
    sample.right = physicalDown(3, mask);
    sample.shift = (mask & ShiftMask) != 0;
    return sample;
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

bool X11Input::physicalDown(int physicalButton, unsigned int mask)
{
    static constexpr unsigned int ButtonMasks[] = {Button1Mask, Button2Mask, Button3Mask, Button4Mask, Button5Mask};
    const int logical = logicalButtonOf(physicalButton);
    if (logical < 1 || logical > 5)
        return false; // the button is switched off in the mapping
    return (mask & ButtonMasks[logical - 1]) != 0;
}

} // namespace platform::x11
