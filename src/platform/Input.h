#pragma once
#include <QPoint>

namespace platform {

// The pointer and the physical state of the mouse buttons and the Shift key, read
// at the moment of the call (no events, no grabs).
class Input {
public:
    // Virtual-key numbers of the mouse buttons, as the program names them.
    static constexpr int VK_LBUTTON = 1;
    static constexpr int VK_RBUTTON = 2;
    static constexpr int VK_MBUTTON = 4;

    // Everything one read of the pointer tells: its position in screen pixels and
    // which physical buttons are held. VK_LBUTTON is the physical left button
    // whatever the user's button mapping.
    struct Sample {
        QPoint position; // (0, 0) when the pointer cannot be read
        bool left = false;
        bool right = false;
        bool middle = false;
        bool shift = false;

        // True while the button is held; numbers other than the three are false.
        bool isDown(int vk) const
        {
            switch (vk) {
            case VK_LBUTTON: return left;
            case VK_RBUTTON: return right;
            case VK_MBUTTON: return middle;
            default: return false;
            }
        }
    };

    virtual ~Input() = default;

    // One read of the pointer. Callers that need several of its parts at one moment
    // (the selection watcher's tick) take one sample rather than asking three times.
    virtual Sample sample() = 0;

    QPoint cursorPos() { return sample().position; }
    bool isButtonDown(int vk) { return sample().isDown(vk); }
    bool isShiftDown() { return sample().shift; }
};

} // namespace platform
