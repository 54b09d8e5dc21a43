#include "platform/x11/X11Screen.h"

#include "platform/x11/X11Connection.h"

#include <QGuiApplication>
#include <QScreen>

#include <X11/Xlib.h>

namespace platform::x11 {

QSize X11Screen::sizePx()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return {};
}

double X11Screen::logicalDpiX()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double X11Screen::logicalDpiY()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

bool X11Screen::mouseButtonsSwapped()
{
    // Left-handed users swap the logical meaning of physical buttons 1 and 3.
    Display* display = connection_.display();
    if (!display)
        return false;
    unsigned char map[32] = {};
    const int count = XGetPointerMapping(display, map, sizeof map);
    return count >= 3 && map[0] == 3 && map[2] == 1;
}

} // namespace platform::x11
