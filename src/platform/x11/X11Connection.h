#pragma once

// Xlib types stay out of every header but this one, which only x11/ sources include.
typedef struct _XDisplay Display;

namespace platform::x11 {

// The back end's own connection to the X server, separate from the toolkit's,
// so that queries never wait behind the toolkit's event traffic.
class X11Connection {
public:
    X11Connection();
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    // Null when no X server could be reached.
    Display* display() const { return display_; }

private:
    Display* display_ = nullptr;
};

} // namespace platform::x11
