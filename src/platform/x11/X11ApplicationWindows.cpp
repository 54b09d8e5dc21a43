#include "platform/x11/X11ApplicationWindows.h"

#include "platform/qt/DevicePixels.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11Selections.h"
#include "platform/x11/X11WindowInfo.h"

#include <QClipboard>
#include <QMetaObject>
#include <algorithm>
#include <utility>
#include <QGuiApplication>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace platform::x11 {

using Selection = X11Selections::Selection;

X11ApplicationWindows::X11ApplicationWindows(X11Connection& connection, X11Selections& selections)
    : connection_(connection), selections_(selections)
{
    primaryChangesAtPress_ = selections_.changeCount(Selection::Primary);
    if (Display* display = connection_.display()) {
        activeAtom_ = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
        supportedAtom_ = XInternAtom(display, "_NET_SUPPORTED", False);
        // Only this connection's own interest in the root window changes.
        XSelectInput(display, DefaultRootWindow(display), PropertyChangeMask);
        connection_.addEventHandler([this](XEvent& event) {
            if (event.type != PropertyNotify
                || (event.xproperty.atom != activeAtom_ && event.xproperty.atom != supportedAtom_))
                return;
            activePropertyChanged_ = true;
            callForegroundHandler();
        });
    }
}

bool X11ApplicationWindows::deliverForegroundChanges(std::function<void()> handler)
{
    // Without a window manager that publishes the active window, focus changes
    // would have to be followed window by window; the caller samples instead.
    if (!connection_.display() || !managerPublishesActiveWindow())
        return false;
    foregroundHandler_ = std::move(handler);
    connection_.watchFromEventLoop();
    callForegroundHandler(); // for the window in front now
    return true;
}

void X11ApplicationWindows::callForegroundHandler()
{
    // One call for a burst of changes: the handler reads the property itself.
    if (!foregroundHandler_ || foregroundCallQueued_)
        return;
    foregroundCallQueued_ = true;
    QMetaObject::invokeMethod(
        &deliveryContext_,
        [this] {
            foregroundCallQueued_ = false;
            foregroundHandler_();
        },
        Qt::QueuedConnection);
}

bool X11ApplicationWindows::activeWindowChanged()
{
    connection_.readEvents();
    return std::exchange(activePropertyChanged_, false);
}

std::optional<WindowHandle> X11ApplicationWindows::activeWindowProperty()
{
    Display* display = connection_.display();
    std::optional<WindowHandle> window;
    if (const auto items = propertyItems(display, DefaultRootWindow(display), activeAtom_, XA_WINDOW);
        items && items->size() == 1)
        window = items->front();
    // Some window managers delete the property while no window is active.
    if (!window && managerPublishesActiveWindow())
        window = 0;
    return window;
}

bool X11ApplicationWindows::managerPublishesActiveWindow()
{
    Display* display = connection_.display();
    const auto atoms = propertyItems(display, DefaultRootWindow(display), supportedAtom_, XA_ATOM, 4096);
    return atoms && std::find(atoms->begin(), atoms->end(), activeAtom_) != atoms->end();
}

WindowHandle X11ApplicationWindows::focusTopLevel()
{
    // Without a window manager: the focus window, walked up to the child of the root.
    Display* display = connection_.display();
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    if (focus == None || focus == PointerRoot || focus == DefaultRootWindow(display))
        return 0;
    return topLevelOf(display, focus);
}

WindowHandle X11ApplicationWindows::foregroundWindow()
{
    Display* display = connection_.display();
    if (!display)
        return 0;
    // The usual case (a window manager publishes the active window) costs no round
    // trip: the property is read again only after the server reported a change.
    // Without a window manager, the focus window is walked up to its top level on
    // every call; its windows may vanish meanwhile, hence the error trap.
    if (activeWindowChanged())
        active_ = activeWindowProperty();
    WindowHandle window = active_.value_or(0);
    if (!active_) {
        X11ErrorTrap trap(display);
        window = focusTopLevel();
        if (trap.failed())
            return 0;
    }
    return window == WindowHandle(DefaultRootWindow(display)) ? 0 : window;
}

std::int64_t X11ApplicationWindows::windowProcessId(WindowHandle window)
{
    return processIdOfWindow(connection_.display(), window);
}

std::optional<QRect> X11ApplicationWindows::windowRect(WindowHandle window)
{
    Display* display = connection_.display();
    if (!display || window == 0)
        return std::nullopt;
    X11ErrorTrap trap(display); // the window may be gone
    // Applications that draw their own frame publish the invisible shadow around it.
    if (const auto shadow = marginsOf(display, window, "_GTK_FRAME_EXTENTS")) {
        if (const auto rect = rootRectOf(display, window))
            return qt::toIndependent(rect->adjusted(shadow->left, shadow->top, -shadow->right, -shadow->bottom));
    }
    const auto frame = rootRectOf(display, topLevelOf(display, window));
    return frame ? std::optional(qt::toIndependent(*frame)) : std::nullopt;
}

std::optional<QRect> X11ApplicationWindows::contentRect(WindowHandle window)
{
    Display* display = connection_.display();
    if (!display || window == 0)
        return std::nullopt;
    X11ErrorTrap trap(display); // the window may be gone
    if (marginsOf(display, window, "_GTK_FRAME_EXTENTS"))
        return std::nullopt;
    // The window manager's frame, where it draws one with a title bar.
    const auto frame = marginsOf(display, window, "_NET_FRAME_EXTENTS");
    if (!frame || frame->top <= 0)
        return std::nullopt;
    const auto rect = rootRectOf(display, window);
    return rect ? std::optional(qt::toIndependent(*rect)) : std::nullopt;
}

bool X11ApplicationWindows::isDesktopOrPanel(WindowHandle window)
{
    Display* display = connection_.display();
    if (!display || window == 0)
        return false;
    X11ErrorTrap trap(display);
    const auto types = propertyItems(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 16);
    if (!types || trap.failed())
        return false;
    const Atom desktop = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
    const Atom dock = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    return std::any_of(types->begin(), types->end(), [&](unsigned long type) { return type == desktop || type == dock; });
}

QStringList X11ApplicationWindows::windowClass(WindowHandle window)
{
    Display* display = connection_.display();
    if (!display || window == 0)
        return {};
    X11ErrorTrap trap(display);
    XClassHint hint{nullptr, nullptr};
    QStringList names;
    if (XGetClassHint(display, window, &hint)) {
        if (hint.res_name)
            names << QString::fromLocal8Bit(hint.res_name);
        if (hint.res_class)
            names << QString::fromLocal8Bit(hint.res_class);
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    return trap.failed() ? QStringList{} : names;
}

void X11ApplicationWindows::notePrimaryButtonDown(std::uint32_t eventTimeMs)
{
    primaryChangesAtPress_ = selections_.changeCount(Selection::Primary);
    pressTime_ = eventTimeMs;
}

bool X11ApplicationWindows::primaryTakenSincePress()
{
    const std::uint64_t changes = selections_.changeCount(Selection::Primary);
    if (pressTime_ == 0)
        return changes != primaryChangesAtPress_;
    // With the press's own time, the owner's time of taking the selection decides:
    // a change the program saw late is still known to be older than the press, and
    // one the program saw before it noticed the press is still known to be newer.
    // Server times wrap after 49 days; the difference says which came first.
    return changes != 0
        && std::int32_t(std::uint32_t(selections_.ownerChangeTime(Selection::Primary)) - pressTime_) >= 0;
}

std::optional<QString> X11ApplicationWindows::selectedText(WindowHandle window)
{
    // PRIMARY keeps its text after a deselect: only a selection made since the last
    // press of the primary button, by the asked window's own process, is the user's.
    // The watcher may see the button come up before a busy application has handled
    // that release and taken the selection, so a new selection gets a moment to come.
    if (window == 0 || !selections_.waitUntil([this] { return primaryTakenSincePress(); }, SelectionSettleMs))
        return std::nullopt;
    const std::int64_t windowPid = windowProcessId(window);
    if (windowPid == 0 || selections_.ownerProcessId(Selection::Primary) != windowPid)
        return std::nullopt;
    return primarySelectionText();
}

std::optional<QString> X11ApplicationWindows::primarySelectionText()
{
    if (selections_.ownerProcessId(Selection::Primary) == getpid()) {
        const QString text = QGuiApplication::clipboard()->text(QClipboard::Selection);
        return text.isEmpty() ? std::nullopt : std::optional(text);
    }
    for (const char* target : {"UTF8_STRING", "text/plain;charset=utf-8"})
        if (const auto item = selections_.read(Selection::Primary, target))
            return item->bytes.isEmpty() ? std::nullopt : std::optional(QString::fromUtf8(item->bytes));
    if (const auto item = selections_.read(Selection::Primary, "STRING"))
        return item->bytes.isEmpty() ? std::nullopt : std::optional(QString::fromLatin1(item->bytes));
    return std::nullopt;
}

} // namespace platform::x11
