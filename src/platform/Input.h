#pragma once
#include <QPoint>
#include <cstdint>
#include <functional>

namespace platform {

// The pointer and the physical state of the mouse buttons and the Shift key, as they
// are at the moment of the call (no grabs).
class Input {
public:
    // Virtual-key numbers of the mouse buttons, as the program names them.
    static constexpr int LeftButton = 1;
    static constexpr int RightButton = 2;
    static constexpr int MiddleButton = 4;

    // Which physical buttons are held: LeftButton is the physical left button
    // whatever the user's button mapping.
    struct Buttons {
        bool left = false;
        bool right = false;
        bool middle = false;

        // Numbers other than the three are never down.
        bool isDown(int vk) const
        {
            switch (vk) {
            case LeftButton: return left;
            case RightButton: return right;
            case MiddleButton: return middle;
            default: return false;
            }
        }
    };

    // One press or release of a physical button.
    struct ButtonEvent {
        int button = 0; // LeftButton, RightButton or MiddleButton
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

    // All three buttons at once. The selection watcher asks this on every tick, so a
    // back end answers it as cheaply as it can.
    virtual Buttons buttons() = 0;
    // Pointer position in screen pixels; (0, 0) when it cannot be read.
    virtual QPoint cursorPos() = 0;
    // False where cursorPos() is only as fresh as the last locatePointer(), so a rule
    // that watches the pointer move cannot work.
    virtual bool followsPointer() { return true; }
    // The pointer's position found afresh, even where that costs a few milliseconds;
    // for the moment a selection is finished.
    virtual QPoint locatePointer() { return cursorPos(); }
    virtual bool isShiftDown() = 0;

    bool isButtonDown(int vk) { return buttons().isDown(vk); }
};

} // namespace platform
