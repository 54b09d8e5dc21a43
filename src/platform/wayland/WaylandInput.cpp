#include "platform/wayland/WaylandInput.h"

#include "platform/wayland/PointerLocator.h"

namespace platform::wayland {

WaylandInput::WaylandInput(Input& xwayland, PointerLocator* locator) : xwayland_(xwayland), locator_(locator) {}

bool WaylandInput::followsPointer()
{
    return !locator_ || locator_->followsCheaply();
}

QPoint WaylandInput::cursorPos()
{
    if (!locator_)
        return xwayland_.cursorPos();
    // An overlay that catches clicks is put up only for a finished selection.
    if (locator_->followsCheaply())
        return locatePointer();
    return located_.value_or(xwayland_.cursorPos());
}

QPoint WaylandInput::locatePointer()
{
    if (locator_) {
        if (const auto found = locator_->locate(LocateLimitMs))
            located_ = found;
    }
    return located_ ? *located_ : xwayland_.cursorPos();
}

} // namespace platform::wayland
