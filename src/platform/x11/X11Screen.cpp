#include "platform/x11/X11Screen.h"

#include "platform/x11/X11Connection.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

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

bool X11Screen::compositingAvailable()
{
    // A compositing manager owns the selection _NET_WM_CM_S<screen number>.
    Display* display = connection_.display();
    if (!display)
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.constData(), False);
    return XGetSelectionOwner(display, selection) != None;
}

QRect X11Screen::monitorGeometryAt(QPoint point)
{
    if (const QScreen* screen = QGuiApplication::screenAt(point))
        return screen->geometry();
    // Outside every monitor: the one whose area lies closest to the point.
    QRect nearest;
    int nearestDistance = -1;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        const QPoint gap(std::max({area.left() - point.x(), 0, point.x() - area.right()}),
                         std::max({area.top() - point.y(), 0, point.y() - area.bottom()}));
        if (nearestDistance < 0 || gap.manhattanLength() < nearestDistance) {
            nearestDistance = gap.manhattanLength();
            nearest = area;
        }
    }
    return nearest.isValid() ? nearest : QRect(QPoint(0, 0), sizePx());
}

} // namespace platform::x11
