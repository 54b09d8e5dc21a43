#include "platform/x11/X11WindowInfo.h"

#include "platform/x11/X11ErrorTrap.h"

#include <algorithm>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>

namespace platform::x11 {
namespace {

std::int64_t pidFromXRes(Display* display, Window window)
{
    int eventBase = 0, errorBase = 0;
    if (!XResQueryExtension(display, &eventBase, &errorBase))
        return 0;
    XResClientIdSpec client{window, XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* values = nullptr;
    std::int64_t pid = 0;
    if (XResQueryClientIds(display, 1, &client, &count, &values) == Success) {
        for (long i = 0; i < count && pid <= 0; ++i)
            if (XResGetClientIdType(&values[i]) == XRES_CLIENT_ID_PID)
                pid = XResGetClientPid(&values[i]);
        XResClientIdsDestroy(count, values);
    }
    return pid > 0 ? pid : 0;
}

std::int64_t pidFromProperty(Display* display, Window window)
{
    const auto items = propertyItems(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL);
    return items && !items->empty() ? std::int64_t(items->front()) : 0;
}

} // namespace

std::int64_t processIdOfWindow(Display* display, unsigned long window)
{
    if (!display || window == None || window == DefaultRootWindow(display))
        return 0;
    X11ErrorTrap trap(display);
    std::int64_t pid = pidFromXRes(display, window);
    if (pid == 0)
        pid = pidFromProperty(display, window);
    return trap.failed() ? 0 : pid;
}

unsigned long topLevelOf(Display* display, unsigned long window)
{
    const Window root = DefaultRootWindow(display);
    Window current = window;
    for (;;) {
        Window rootReturn = None, parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, current, &rootReturn, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (parent == root || parent == None)
            return current;
        current = parent;
    }
}

std::optional<std::vector<unsigned long>> propertyItems(Display* display, unsigned long window,
                                                        unsigned long property, unsigned long type, long maxItems)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<std::vector<unsigned long>> items;
    if (XGetWindowProperty(display, window, property, 0, maxItems, False, type, &actualType, &format, &count, &after,
                           &data) == Success
        && data) {
        // Xlib hands 32-bit items over as longs.
        if (actualType == type && format == 32) {
            const auto* values = reinterpret_cast<const unsigned long*>(data);
            items.emplace(values, values + count);
        }
        XFree(data);
    }
    return items;
}

std::optional<Margins> marginsOf(Display* display, unsigned long window, const char* property)
{
    const auto items = propertyItems(display, window, XInternAtom(display, property, False), XA_CARDINAL, 4);
    if (!items || items->size() != 4)
        return std::nullopt;
    // A hostile or broken client may publish anything; beyond a screen's size is no margin.
    const auto margin = [](unsigned long value) { return int(std::min<unsigned long>(value, 10000)); };
    return Margins{margin((*items)[0]), margin((*items)[1]), margin((*items)[2]), margin((*items)[3])};
}

std::optional<QRect> rootRectOf(Display* display, unsigned long window)
{
    X11ErrorTrap trap(display);
    XWindowAttributes attributes;
    if (window == None || !XGetWindowAttributes(display, window, &attributes))
        return std::nullopt;
    int x = 0, y = 0;
    Window child = None;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), -attributes.border_width,
                          -attributes.border_width, &x, &y, &child);
    if (trap.failed())
        return std::nullopt;
    const int border = 2 * attributes.border_width;
    return QRect(x, y, attributes.width + border, attributes.height + border);
}

} // namespace platform::x11
