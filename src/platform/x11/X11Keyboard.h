#pragma once
#include "platform/Keyboard.h"

namespace platform::x11 {

class X11Connection;

// Key events through the XTest extension, as if typed on the keyboard.
class X11Keyboard : public Keyboard {
public:
    explicit X11Keyboard(X11Connection& connection) : connection_(connection) {}

    void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;

private:
    X11Connection& connection_;
};

} // namespace platform::x11
