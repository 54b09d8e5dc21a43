#pragma once

typedef struct _XDisplay Display;

namespace platform::x11 {

// Catches the X errors of the requests made while it lives (a window that vanished,
// a bad atom) instead of letting the default handler end the process.
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits until the server has handled every request so far; true when one failed.
    bool failed();

private:
    Display* display_;
    void* previous_;
};

} // namespace platform::x11
