#include "platform/x11/X11Input.h"

#include "platform/qt/DevicePixels.h"

#include "platform/x11/X11Connection.h"

#include <QMetaObject>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace platform::x11 {

X11Input::X11Input(X11Connection& connection) : connection_(connection)
{
    if (!listenForRawButtons())
        return;
    connection_.addEventHandler([this](XEvent& event) {
        XGenericEventCookie& cookie = event.xcookie;
        if (cookie.type != GenericEvent || cookie.extension != inputOpcode_
            || (cookie.evtype != XI_RawButtonPress && cookie.evtype != XI_RawButtonRelease))
            return;
        if (!XGetEventData(connection_.display(), &cookie))
            return;
        // Raw events carry the physical button, before the user's button mapping.
        const auto* raw = static_cast<const XIRawEvent*>(cookie.data);
        const int physical = raw->detail;
        const bool down = cookie.evtype == XI_RawButtonPress;
        const unsigned long time = raw->time;
        XFreeEventData(connection_.display(), &cookie);
        setPhysical(physical, down);
        if (handler_)
            deliver(physical, down, time);
    });
    // Buttons already held when listening began.
    if (const PointerState state = query(); state.valid)
        held_ = buttonsIn(state.mask);
}

bool X11Input::listenForRawButtons()
{
    Display* display = connection_.display();
    int event = 0, error = 0;
    if (!display || !XQueryExtension(display, "XInputExtension", &inputOpcode_, &event, &error)) {
        inputOpcode_ = -1;
        return false;
    }
    // Raw events reach the root window whatever grab is active from version 2.1 on.
    int major = 2, minor = 1;
    if (XIQueryVersion(display, &major, &minor) != Success || major < 2 || (major == 2 && minor < 1)) {
        inputOpcode_ = -1;
        return false;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    return true;
}

namespace {
// The physical button numbers of X (1 left, 2 middle, 3 right) as the program names them.
Qt::MouseButton buttonOf(int physicalButton)
{
    switch (physicalButton) {
    case 1: return Qt::LeftButton;
    case 2: return Qt::MiddleButton;
    case 3: return Qt::RightButton;
    default: return Qt::NoButton;
    }
}
} // namespace

void X11Input::setPhysical(int physicalButton, bool down)
{
    if (const Qt::MouseButton button = buttonOf(physicalButton); button != Qt::NoButton)
        held_.setFlag(button, down);
}

bool X11Input::deliverButtonEvents(ButtonHandler handler)
{
    if (inputOpcode_ < 0)
        return false;
    handler_ = std::move(handler);
    connection_.watchFromEventLoop();
    return true;
}

void X11Input::deliver(int physicalButton, bool down, unsigned long serverTime)
{
    const Qt::MouseButton button = buttonOf(physicalButton);
    if (button == Qt::NoButton)
        return;
    // Raw events carry no position; the pointer is asked now, while the event is
    // fresh, rather than when the handler gets to it.
    const PointerState state = query();
    pending_.push_back({button, down,
                        state.valid ? qt::toIndependent(QPoint(state.rootX, state.rootY)) : QPoint(),
                        std::uint32_t(serverTime)});
    if (pending_.size() == 1)
        QMetaObject::invokeMethod(&deliveryContext_, [this] { deliverPending(); }, Qt::QueuedConnection);
}

void X11Input::deliverPending()
{
    while (!pending_.empty()) {
        const ButtonEvent event = pending_.front();
        pending_.pop_front();
        handler_(event);
    }
}

X11Input::PointerState X11Input::query()
{
    PointerState state;
    Display* display = connection_.display();
    if (!display)
        return state;
    Window root = 0, child = 0;
    int winX = 0, winY = 0;
    state.valid = XQueryPointer(display, DefaultRootWindow(display), &root, &child, &state.rootX, &state.rootY,
                                &winX, &winY, &state.mask) != 0;
    return state;
}

Qt::MouseButtons X11Input::buttons()
{
    if (inputOpcode_ >= 0) {
        connection_.readEvents();
        return held_;
    }
    const PointerState state = query();
    return state.valid ? buttonsIn(state.mask) : Qt::MouseButtons{};
}

QPoint X11Input::cursorPos()
{
    const PointerState state = query();
    return state.valid ? qt::toIndependent(QPoint(state.rootX, state.rootY)) : QPoint();
}

bool X11Input::isShiftDown()
{
    const PointerState state = query();
    return state.valid && (state.mask & ShiftMask) != 0;
}

int X11Input::logicalButtonOf(int physicalButton)
{
    // The pointer mapping says which logical button each physical one produces;
    // the server reports logical buttons in the mask.
    if (!mappingAge_.isValid() || mappingAge_.hasExpired(MappingMaxAgeMs)) {
        mappingCount_ = XGetPointerMapping(connection_.display(), mapping_.data(), int(mapping_.size()));
        mappingAge_.start();
    }
    if (physicalButton > mappingCount_)
        return physicalButton;
    return mapping_[physicalButton - 1];
}

Qt::MouseButtons X11Input::buttonsIn(unsigned int mask)
{
    static constexpr unsigned int ButtonMasks[] = {Button1Mask, Button2Mask, Button3Mask, Button4Mask, Button5Mask};
    const auto down = [&](int physical) {
        const int logical = logicalButtonOf(physical);
        // A logical 0 means the button is switched off in the mapping.
        return logical >= 1 && logical <= 5 && (mask & ButtonMasks[logical - 1]) != 0;
    };
    Qt::MouseButtons held;
    held.setFlag(Qt::LeftButton, down(1));
    held.setFlag(Qt::MiddleButton, down(2));
    held.setFlag(Qt::RightButton, down(3));
    return held;
}

} // namespace platform::x11
