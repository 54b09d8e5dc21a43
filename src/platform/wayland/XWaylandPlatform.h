#pragma once
#include "platform/Platform.h"
#include "platform/wayland/NoTypingKeyboard.h"

namespace platform::wayland {

// The common ground of the back ends for Wayland sessions: the X11 back end (XWayland)
// keeps the program's windows, its clipboard (for the copy link) and everything else
// that is no other application's business; a subclass tells what it sees of the other
// applications. No program may type into another one there.
class XWaylandPlatform : public Platform {
public:
    explicit XWaylandPlatform(std::unique_ptr<Platform> x11) : x11_(std::move(x11)) {}

    Screen& screen() override { return x11_->screen(); }
    Files& files() override { return x11_->files(); }
    SettingsStore& store() override { return x11_->store(); }
    Session& session() override { return x11_->session(); }
    Clock& clock() override { return x11_->clock(); }
    Shell& shell() override { return x11_->shell(); }
    Input& input() override { return x11_->input(); }
    Processes& processes() override { return x11_->processes(); }
    Clipboard& clipboard() override { return x11_->clipboard(); }
    Keyboard& keyboard() override { return keyboard_; }
    ApplicationWindows& applications() override { return x11_->applications(); }

protected:
    Platform& xwayland() { return *x11_; }

private:
    std::unique_ptr<Platform> x11_;
    NoTypingKeyboard keyboard_;
};

} // namespace platform::wayland
