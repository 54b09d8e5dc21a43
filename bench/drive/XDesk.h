#pragma once
// The desktop as a person uses it, through Xlib and XTest: pointer, buttons and keys
// as real input events, and what the window manager and the server report back.

#include <X11/Xlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

class XDesk {
public:
    XDesk();
    ~XDesk();
    XDesk(const XDesk&) = delete;
    XDesk& operator=(const XDesk&) = delete;

    bool ok() const { return display_ != nullptr; }
    Display* display() { return display_; }

    // CLOCK_MONOTONIC in nanoseconds, the clock of the program's trace file.
    static std::int64_t nowNs();
    static void sleepMs(int ms);

    void moveTo(int x, int y);
    // The button events return the moment just before they were sent: the program
    // under test may handle one before the server has answered the sender's sync.
    std::int64_t press(int button = 1);
    std::int64_t release(int button = 1);
    // Types lower-case letters, digits and '\n' as key presses.
    void type(const std::string& text);

    // A window's inside in root coordinates.
    std::optional<Rect> clientRect(Window window);
    // _NET_ACTIVE_WINDOW of the root window (0 when none).
    Window activeWindow();
    // True when the keyboard could be grabbed, i.e. nobody else holds a grab; the
    // grab is released at once.
    bool keyboardIsFree();
    // Viewable windows anywhere in the tree with this exact name.
    std::vector<Window> viewableWindowsNamed(const std::string& name);
    // Asks for the window's map and unmap notifications.
    void watchStructure(Window window);

private:
    void collectNamed(Window parent, const std::string& name, std::vector<Window>& found);

    Display* display_ = nullptr;
    Window root_ = 0;
};
