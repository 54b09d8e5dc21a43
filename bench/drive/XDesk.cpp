#include "XDesk.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <ctime>
#include <thread>

namespace {
// Windows come and go while the tree is walked; a vanished one is simply skipped.
int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}
} // namespace

XDesk::XDesk() : display_(XOpenDisplay(nullptr))
{
    XSetErrorHandler(ignoreErrors);
    if (display_)
        root_ = DefaultRootWindow(display_);
}

XDesk::~XDesk()
{
    if (display_)
        XCloseDisplay(display_);
}

std::int64_t XDesk::nowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void XDesk::sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void XDesk::moveTo(int x, int y)
{
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XSync(display_, False);
}

std::int64_t XDesk::press(int button)
{
    // Taken before the event is sent: the program may handle it before XSync returns.
    const std::int64_t sent = nowNs();
    XTestFakeButtonEvent(display_, unsigned(button), True, CurrentTime);
    XSync(display_, False);
    return sent;
}

std::int64_t XDesk::release(int button)
{
    // Taken before the event is sent: the program may handle it before XSync returns.
    const std::int64_t sent = nowNs();
    XTestFakeButtonEvent(display_, unsigned(button), False, CurrentTime);
    XSync(display_, False);
    return sent;
}

void XDesk::type(const std::string& text)
{
    for (const char c : text) {
        const KeySym symbol = c == '\n' ? XK_Return : XStringToKeysym(std::string(1, c).c_str());
        const KeyCode code = XKeysymToKeycode(display_, symbol);
        if (code == 0)
            continue;
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, False, CurrentTime);
        XSync(display_, False);
        sleepMs(15);
    }
}

std::optional<Rect> XDesk::clientRect(Window window)
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, window, &attributes))
        return std::nullopt;
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display_, window, root_, 0, 0, &x, &y, &child))
        return std::nullopt;
    return Rect{x, y, attributes.width, attributes.height};
}

Window XDesk::activeWindow()
{
    const Atom property = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window active = 0;
    if (XGetWindowProperty(display_, root_, property, 0, 1, False, XA_WINDOW, &type, &format, &count, &after,
                           &data) == Success &&
        data && count == 1 && format == 32)
        active = *reinterpret_cast<Window*>(data);
    if (data)
        XFree(data);
    return active;
}

bool XDesk::keyboardIsFree()
{
    const int result = XGrabKeyboard(display_, root_, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    if (result == GrabSuccess)
        XUngrabKeyboard(display_, CurrentTime);
    XSync(display_, False);
    return result == GrabSuccess;
}

void XDesk::collectNamed(Window parent, const std::string& name, std::vector<Window>& found)
{
    Window rootReturn = 0, parentReturn = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, parent, &rootReturn, &parentReturn, &children, &count))
        return;
    for (unsigned int i = 0; i < count; ++i) {
        char* windowName = nullptr;
        XWindowAttributes attributes{};
        if (XFetchName(display_, children[i], &windowName) && windowName) {
            if (name == windowName && XGetWindowAttributes(display_, children[i], &attributes) &&
                attributes.map_state == IsViewable)
                found.push_back(children[i]);
            XFree(windowName);
        }
        collectNamed(children[i], name, found);
    }
    if (children)
        XFree(children);
}

std::vector<Window> XDesk::viewableWindowsNamed(const std::string& name)
{
    std::vector<Window> found;
    collectNamed(root_, name, found);
    return found;
}

void XDesk::watchStructure(Window window)
{
    XSelectInput(display_, window, StructureNotifyMask);
    XSync(display_, False);
}
