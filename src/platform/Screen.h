#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

namespace platform {

// Display geometry and pointer-device facts.
class Screen {
public:
    virtual ~Screen() = default;

    // Size of the primary screen in pixels.
    virtual QSize sizePx() = 0;
    // Logical dots per inch, horizontal and vertical (96 on a normal display).
    virtual double logicalDpiX() = 0;
    virtual double logicalDpiY() = 0;
    // True when the user has exchanged the primary and secondary mouse buttons;
    // false also when the platform cannot tell.
    virtual bool mouseButtonsSwapped() = 0;
    // True when a compositing manager runs, so that window transparency and
    // per-pixel alpha are really seen.
    virtual bool compositingAvailable() = 0;
    // Origin and size in pixels of the monitor that holds the point; the nearest
    // monitor when none does.
    virtual QRect monitorGeometryAt(QPoint point) = 0;
    // The window manager puts a program's frameless windows where the program asks;
    // false where it places them itself (tiling compositors centre them), so the
    // floating windows must do without it.
    virtual bool placesWindowsAsAsked() { return true; }
};

} // namespace platform
