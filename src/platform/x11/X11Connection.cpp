#include "platform/x11/X11Connection.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <X11/Xlib.h>

namespace platform::x11 {

X11Connection::X11Connection() : display_(XOpenDisplay(nullptr)) {}

X11Connection::~X11Connection()
{
    notifier_.reset();
    if (display_)
        XCloseDisplay(display_);
}

void X11Connection::readEvents()
{
    if (!display_)
        return;
    while (XEventsQueued(display_, QueuedAfterReading) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        for (const EventHandler& handler : handlers_)
            handler(event);
    }
}

void X11Connection::watchFromEventLoop()
{
    if (!display_ || notifier_ || !QCoreApplication::instance())
        return;
    notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { readEvents(); });
    // Any query on this connection may read events into Xlib's queue, where the
    // socket no longer announces them; whatever is queued or waiting is handed on at
    // every turn of the loop, before it sleeps and when it runs without sleeping (a
    // caller's processEvents). Requests written meanwhile are sent then, too.
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        const auto drain = [this] {
            XFlush(display_);
            readEvents();
        };
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, notifier_.get(), drain);
        QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, notifier_.get(), drain);
    }
}

} // namespace platform::x11
