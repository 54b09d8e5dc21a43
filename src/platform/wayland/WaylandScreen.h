#pragma once
#include "platform/Screen.h"

namespace platform::wayland {

// The screen as XWayland shows it, except that a Wayland compositor places the
// managed X11 windows itself (sway centres them, whatever position they ask for).
class WaylandScreen : public Screen {
public:
    explicit WaylandScreen(Screen& xwayland) : xwayland_(xwayland) {}

    QSize sizePx() override { return xwayland_.sizePx(); }
    double logicalDpiX() override { return xwayland_.logicalDpiX(); }
    double logicalDpiY() override { return xwayland_.logicalDpiY(); }
    bool mouseButtonsSwapped() override { return xwayland_.mouseButtonsSwapped(); }
    bool compositingAvailable() override { return xwayland_.compositingAvailable(); }
    QRect monitorGeometryAt(QPoint point) override { return xwayland_.monitorGeometryAt(point); }
    bool placesWindowsAsAsked() override { return false; }

private:
    Screen& xwayland_;
};

} // namespace platform::wayland
