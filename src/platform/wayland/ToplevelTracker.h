#pragma once
#include "platform/WindowHandle.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace platform::wayland {

// The compositor's list of application windows, and which one is active.
class ToplevelTracker {
public:
    virtual ~ToplevelTracker() = default;

    // The active window; 0 when none is.
    virtual WindowHandle activeWindow() = 0;
    // The id of the process that shows the window; 0 where the compositor does not tell.
    virtual std::int64_t processId(WindowHandle window) = 0;
    // The window's application id (usually the desktop file's name); empty when unknown.
    virtual QString applicationId(WindowHandle window) = 0;
    // The handler runs, from the event loop, whenever another window may have become active.
    virtual void setActiveChangedHandler(std::function<void()> handler) = 0;
};

} // namespace platform::wayland
