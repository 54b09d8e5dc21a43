#pragma once

#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

// Xlib types stay out of every header but this one, which only x11/ sources include.
typedef struct _XDisplay Display;
typedef union _XEvent XEvent;

namespace platform::x11 {

// The back end's own connection to the X server, separate from the toolkit's,
// so that queries never wait behind the toolkit's event traffic.
class X11Connection {
public:
    using EventHandler = std::function<void(XEvent& event)>;

    X11Connection();
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    // Null when no X server could be reached.
    Display* display() const { return display_; }

    // Every event read from the connection goes to every handler.
    void addEventHandler(EventHandler handler) { handlers_.push_back(std::move(handler)); }
    // Hands the events the server has sent so far to the handlers, without waiting
    // and without a round trip.
    void readEvents();
    // From now on events reach the handlers from the event loop as soon as they
    // arrive, not only when somebody calls readEvents. Safe to repeat.
    void watchFromEventLoop();

private:
    Display* display_ = nullptr;
    std::vector<EventHandler> handlers_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace platform::x11
