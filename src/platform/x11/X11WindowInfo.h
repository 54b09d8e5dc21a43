#pragma once
#include <QRect>
#include <cstdint>
#include <optional>
#include <vector>

typedef struct _XDisplay Display;

namespace platform::x11 {

// The id of the process whose connection created the window (XRes, then _NET_WM_PID);
// 0 for None, the root window and anything unknown.
std::int64_t processIdOfWindow(Display* display, unsigned long window);

// The ancestor of the window just below the root (the window manager's frame, or the
// window itself without a manager); 0 when the window is gone.
unsigned long topLevelOf(Display* display, unsigned long window);

// The 32-bit items (CARDINAL, ATOM, WINDOW: as the type says) of a window's property;
// nothing when it is missing or of another type. At most maxItems are read.
std::optional<std::vector<unsigned long>> propertyItems(Display* display, unsigned long window,
                                                        unsigned long property, unsigned long type,
                                                        long maxItems = 1);

// Margins published on a window as left, right, top, bottom (the 4 items of
// _NET_FRAME_EXTENTS or _GTK_FRAME_EXTENTS); nothing when absent.
struct Margins {
    int left = 0, right = 0, top = 0, bottom = 0;
};
std::optional<Margins> marginsOf(Display* display, unsigned long window, const char* property);

// The window's own rectangle on the root window, border included; nothing when it is gone.
std::optional<QRect> rootRectOf(Display* display, unsigned long window);

} // namespace platform::x11
