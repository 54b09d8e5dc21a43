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
    // socket no longer announces them; they are handed on before the loop sleeps.
    // Requests written meanwhile (an event mask, say) are sent then, too.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, notifier_.get(), [this] {
            if (XEventsQueued(display_, QueuedAlready) > 0)
                readEvents();
            XFlush(display_);
        });
}

} // namespace platform::x11
