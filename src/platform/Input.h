#pragma once
#include <QPoint>
#include <Qt>
#include <cstdint>
#include <functional>

namespace platform {

// The pointer and the physical state of the mouse buttons and the Shift key, as they
// are at the moment of the call (no grabs). Buttons are named as they sit on the
// mouse: Qt::LeftButton is the physical left button whatever the user's mapping.
class Input {
public:
    // One press or release of a physical button.
    struct ButtonEvent {
        Qt::MouseButton button = Qt::NoButton; // left, right or middle
        bool down = false;
        // The pointer when the event was read, in screen pixels.
        QPoint position;
        // The event's own time in milliseconds on the back end's clock (it wraps).
        std::uint32_t timeMs = 0;
    };
    using ButtonHandler = std::function<void(const ButtonEvent&)>;

    virtual ~Input() = default;

    // From now on every press and release goes to handler, soon after it happens and
    // in order, from the event loop. False where the back end cannot see them as they
    // happen; its caller then samples buttons() instead.
    virtual bool deliverButtonEvents(ButtonHandler handler)
    {
        (void)handler;
        return false;
    }

    // The physical buttons held now. The selection watcher asks this on every tick, so
    // a back end answers it as cheaply as it can.
    virtual Qt::MouseButtons buttons() = 0;
    // Pointer position in screen pixels; (0, 0) when it cannot be read.
    virtual QPoint cursorPos() = 0;
    // False where cursorPos() is only as fresh as the last locatePointer(), so a rule
    // that watches the pointer move cannot work.
    virtual bool followsPointer() { return true; }
    // The pointer's position found afresh, even where that costs a few milliseconds;
    // for the moment a selection is finished.
    virtual QPoint locatePointer() { return cursorPos(); }
    virtual bool isShiftDown() = 0;
};

} // namespace platform
