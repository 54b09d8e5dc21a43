#include "platform/x11/X11WindowInfo.h"

#include "platform/x11/X11ErrorTrap.h"

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
    const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::int64_t pid = 0;
    if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success
        && data) {
        if (type == XA_CARDINAL && format == 32 && count == 1)
            pid = std::int64_t(*reinterpret_cast<unsigned long*>(data));
        XFree(data);
    }
    return pid;
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

} // namespace platform::x11
