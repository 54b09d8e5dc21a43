#pragma once
#include <QPoint>
#include <optional>

namespace platform::wayland {

// Finds where the pointer is. Wayland tells a client the pointer's position only over
// the client's own surfaces, so each compositor needs its own way.
class PointerLocator {
public:
    virtual ~PointerLocator() = default;

    // The pointer's position in the compositor's global coordinates (those XWayland
    // windows are placed in); nothing when it could not be found within timeoutMs.
    virtual std::optional<QPoint> locate(int timeoutMs) = 0;
    // Asking costs no more than a message or two and disturbs nothing, so it may be
    // asked while the pointer moves (the floating icon's leave rule).
    virtual bool followsCheaply() const = 0;
};

} // namespace platform::wayland
