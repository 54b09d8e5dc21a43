#pragma once
#include "platform/Keyboard.h"

namespace platform::x11 {

class X11Connection;

// Key events through the XTest extension, as if typed on the keyboard.
class X11Keyboard : public Keyboard {
public:
    explicit X11Keyboard(X11Connection& connection) : connection_(connection) {}

    void press(CopyKeys keys) override;
    void release(CopyKeys keys) override;

private:
    // Ctrl, then the shortcut's key, goes down; up in the reverse order.
    void type(CopyKeys keys, bool down);

    X11Connection& connection_;
};

} // namespace platform::x11
