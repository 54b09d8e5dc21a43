#pragma once
#include <cstdint>

namespace platform {

namespace key {
constexpr std::uint8_t Control = 0x11;
constexpr std::uint8_t Insert = 0x2D;
constexpr std::uint8_t C = 0x43;
constexpr std::uint32_t ExtendedKey = 1;
constexpr std::uint32_t KeyUp = 2;
} // namespace key

// Synthetic keyboard input, global like a real key press: it goes to whatever window
// has the keyboard focus.
class Keyboard {
public:
    virtual ~Keyboard() = default;

    // One key event: virtual key number, hardware scan code, flags (ExtendedKey, KeyUp).
    // Keys the desktop cannot type are ignored.
    virtual void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) = 0;
    // False where the desktop does not let a program type into other applications.
    virtual bool canType() { return true; }
};

} // namespace platform
