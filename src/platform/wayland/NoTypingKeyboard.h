#pragma once
#include "platform/Keyboard.h"

namespace platform::wayland {

// A Wayland session lets no program type into another one; the program never tries.
class NoTypingKeyboard : public Keyboard {
public:
    void press(CopyKeys) override {}
    void release(CopyKeys) override {}
    bool canType() override { return false; }
};

} // namespace platform::wayland
