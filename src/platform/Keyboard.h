#pragma once

namespace platform {

// The two shortcuts that make an application copy its selection.
enum class CopyKeys {
    ControlInsert,
    ControlC,
};

// Synthetic keyboard input, global like a real key press: it goes to whatever window
// has the keyboard focus.
class Keyboard {
public:
    virtual ~Keyboard() = default;

    // Holds Ctrl and the shortcut's key down, and lets them go again.
    virtual void press(CopyKeys keys) = 0;
    virtual void release(CopyKeys keys) = 0;
    // False where the desktop does not let a program type into other applications.
    virtual bool canType() { return true; }
};

} // namespace platform
