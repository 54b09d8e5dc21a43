#pragma once
#include "platform/Input.h"

namespace platform::wayland {

class PointerLocator;

// The pointer in a Wayland session. No client sees the mouse buttons there; the
// pointer's position comes from the compositor's own way of telling it (a locator),
// else from XWayland, which follows it only over X11 windows such as the program's own.
class WaylandInput : public Input {
public:
    // Longest wait for the compositor to tell where the pointer is.
    static constexpr int LocateLimitMs = 100;

    // locator: nullptr where the compositor has no way to tell.
    WaylandInput(Input& xwayland, PointerLocator* locator);

    Qt::MouseButtons buttons() override { return {}; }
    QPoint cursorPos() override;
    bool followsPointer() override;
    QPoint locatePointer() override;
    bool isShiftDown() override { return xwayland_.isShiftDown(); }

private:
    Input& xwayland_;
    PointerLocator* locator_;
    // Where the last locate found the pointer.
    std::optional<QPoint> located_;
};

} // namespace platform::wayland
