#pragma once
#include "platform/Input.h"

namespace platform::x11 {

class X11Connection;

// Pointer and button state from XQueryPointer on the back end's own connection.
class X11Input : public Input {
public:
    explicit X11Input(X11Connection& connection) : connection_(connection) {}

    QPoint cursorPos() override;
    bool isButtonDown(int vk) override;
    bool isShiftDown() override;

private:
    struct PointerState {
        bool valid = false;
        int rootX = 0;
        int rootY = 0;
        unsigned int mask = 0;
    };
    PointerState query();
    // The logical button (1..5) that the physical button produces now.
    int logicalButtonOf(int physicalButton);

    X11Connection& connection_;
};

} // namespace platform::x11
