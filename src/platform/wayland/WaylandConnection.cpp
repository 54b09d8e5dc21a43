#include "platform/wayland/WaylandConnection.h"

#include <QAbstractEventDispatcher>
#include <algorithm>
#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <wayland-client.h>

namespace platform::wayland {

void WaylandConnection::onGlobal(void* data, wl_registry*, std::uint32_t name, const char* interface,
                                 std::uint32_t version)
{
    auto* self = static_cast<WaylandConnection*>(data);
    const Global global{name, QByteArray(interface), version};
    self->globals_.append(global);
    for (const GlobalWatch& watch : std::as_const(self->watches_))
        if (watch.interface == global.interface)
            watch.handler(global, true);
}

void WaylandConnection::onGlobalRemove(void* data, wl_registry*, std::uint32_t name)
{
    auto* self = static_cast<WaylandConnection*>(data);
    for (const Global& global : std::as_const(self->globals_)) {
        if (global.name != name)
            continue;
        for (const GlobalWatch& watch : std::as_const(self->watches_))
            if (watch.interface == global.interface)
                watch.handler(global, false);
    }
    self->globals_.removeIf([name](const Global& global) { return global.name == name; });
}

int WaylandConnection::watchGlobals(const char* interface, std::function<void(const Global&, bool)> handler)
{
    const int id = nextWatch_++;
    watches_.append({id, QByteArray(interface), handler});
    for (const Global& global : std::as_const(globals_))
        if (global.interface == interface)
            handler(global, true);
    return id;
}

void WaylandConnection::unwatchGlobals(int id)
{
    watches_.removeIf([id](const GlobalWatch& watch) { return watch.id == id; });
}

WaylandConnection::WaylandConnection()
{
    static const wl_registry_listener listener = {&WaylandConnection::onGlobal, &WaylandConnection::onGlobalRemove};
    display_ = wl_display_connect(nullptr);
    if (!display_)
        return;
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &listener, this);
    if (!roundtrip(2000)) {
        wl_registry_destroy(registry_);
        registry_ = nullptr;
        wl_display_disconnect(display_);
        display_ = nullptr;
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { readEvents(); });
    // Requests made from handlers go out before the event loop sleeps again.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { flush(); });
}

WaylandConnection::~WaylandConnection()
{
    notifier_.reset();
    if (seat_)
        wl_seat_destroy(seat_);
    if (registry_)
        wl_registry_destroy(registry_);
    if (display_)
        wl_display_disconnect(display_);
}

bool WaylandConnection::has(const char* interface) const
{
    for (const Global& global : globals_)
        if (global.interface == interface)
            return true;
    return false;
}

void* WaylandConnection::bind(const wl_interface* interface, std::uint32_t maxVersion, std::uint32_t minVersion)
{
    if (!registry_)
        return nullptr;
    for (const Global& global : globals_)
        if (global.interface == interface->name && global.version >= minVersion)
            return bind(global, interface, maxVersion);
    return nullptr;
}

void* WaylandConnection::bind(const Global& global, const wl_interface* interface, std::uint32_t maxVersion)
{
    const std::uint32_t version = std::min({global.version, maxVersion, std::uint32_t(interface->version)});
    return wl_registry_bind(registry_, global.name, interface, version);
}

wl_seat* WaylandConnection::seat()
{
    if (!seat_)
        seat_ = static_cast<wl_seat*>(bind(&wl_seat_interface, 5));
    return seat_;
}

void WaylandConnection::flush()
{
    if (display_)
        wl_display_flush(display_);
}

void WaylandConnection::readEvents()
{
    // Reads what the socket holds without blocking, then runs the handlers.
    while (wl_display_prepare_read(display_) != 0)
        wl_display_dispatch_pending(display_);
    pollfd descriptor{wl_display_get_fd(display_), POLLIN, 0};
    if (poll(&descriptor, 1, 0) > 0)
        wl_display_read_events(display_);
    else
        wl_display_cancel_read(display_);
    if (wl_display_dispatch_pending(display_) < 0 && notifier_) {
        // The compositor went away or ended the connection: nothing more will come.
        notifier_->setEnabled(false);
        qWarning("The Wayland compositor closed the connection (%s)", std::strerror(wl_display_get_error(display_)));
    }
    wl_display_flush(display_);
}

bool WaylandConnection::waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    if (!display_)
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    wl_display_dispatch_pending(display_);
    while (!done()) {
        if (wl_display_get_error(display_) != 0)
            return false;
        while (wl_display_prepare_read(display_) != 0)
            wl_display_dispatch_pending(display_);
        if (done()) {
            wl_display_cancel_read(display_);
            break;
        }
        wl_display_flush(display_);
        const int left = int(deadline.remainingTime());
        pollfd descriptor{wl_display_get_fd(display_), POLLIN, 0};
        const int ready = left > 0 ? poll(&descriptor, 1, left) : 0;
        if (ready <= 0) {
            wl_display_cancel_read(display_);
            if (ready < 0 && errno == EINTR)
                continue;
            return done();
        }
        wl_display_read_events(display_);
        wl_display_dispatch_pending(display_);
    }
    return true;
}

bool WaylandConnection::roundtrip(int timeoutMs)
{
    if (!display_)
        return false;
    bool answered = false;
    static const wl_callback_listener listener = {
        [](void* data, wl_callback*, std::uint32_t) { *static_cast<bool*>(data) = true; }};
    wl_callback* callback = wl_display_sync(display_);
    wl_callback_add_listener(callback, &listener, &answered);
    const bool ok = waitUntil([&answered] { return answered; }, timeoutMs);
    wl_callback_destroy(callback);
    return ok;
}

} // namespace platform::wayland
