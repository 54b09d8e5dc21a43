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

    virtual ~Input() = default;

    // Pointer position in screen pixels; (0, 0) when it cannot be read.
    virtual QPoint cursorPos() = 0;
    // True while the physical button is held: VK_LBUTTON is the physical left button
    // whatever the user's button mapping. Other numbers are false.
    virtual bool isButtonDown(int vk) = 0;
    virtual bool isShiftDown() = 0;
};

} // namespace platform
