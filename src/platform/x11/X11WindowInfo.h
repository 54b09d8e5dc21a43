#pragma once
#include <cstdint>

typedef struct _XDisplay Display;

namespace platform::x11 {

// The id of the process whose connection created the window (XRes, then _NET_WM_PID);
// 0 for None, the root window and anything unknown.
std::int64_t processIdOfWindow(Display* display, unsigned long window);

// The ancestor of the window just below the root (the window manager's frame, or the
// window itself without a manager); 0 when the window is gone.
unsigned long topLevelOf(Display* display, unsigned long window);

} // namespace platform::x11
