#pragma once
#include "platform/WindowHandle.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

namespace platform {

// The other applications' windows: which one is in front, who owns it, where it is,
// and the text the user has selected in it.
class ApplicationWindows {
public:
    virtual ~ApplicationWindows() = default;

    // The window the user works in (its top-level); 0 when there is none.
    virtual WindowHandle foregroundWindow() = 0;
    // The id of the process that owns the window; 0 when unknown.
    virtual std::int64_t windowProcessId(WindowHandle window) = 0;
    // The window's visible outer rectangle (with the frame the window manager adds,
    // without the invisible shadow margins some applications draw around their own
    // frame) in screen pixels; nothing for an unknown window.
    virtual std::optional<QRect> windowRect(WindowHandle window) = 0;
    // The part of the window below the title bar and inside the border where the
    // window manager says where its frame is; nothing where it does not, or where the
    // application draws its own title bar.
    virtual std::optional<QRect> contentRect(WindowHandle window)
    {
        (void)window;
        return std::nullopt;
    }
    // The window is the desktop's background or a panel (dock), whoever runs it.
    virtual bool isDesktopOrPanel(WindowHandle window)
    {
        (void)window;
        return false;
    }
    // The window's class names (for example {"xterm", "XTerm"}); empty when unknown.
    virtual QStringList windowClass(WindowHandle window) = 0;
    // The name the desktop gives the window's application where it tells no process
    // (a Wayland application id); empty otherwise.
    virtual QString applicationId(WindowHandle window)
    {
        (void)window;
        return {};
    }
    // False where the desktop keeps other windows' places to itself, so that
    // windowRect() never answers.
    virtual bool reportsGeometry() { return true; }

    // From now on handler runs, from the event loop, whenever the foreground window
    // may have changed, and once soon after the call for the window in front. False
    // where the back end cannot tell; its caller then asks foregroundWindow() on a
    // timer instead.
    virtual bool deliverForegroundChanges(std::function<void()> handler)
    {
        (void)handler;
        return false;
    }

    // Where no client can see the mouse buttons (Wayland): from now on handler runs,
    // from the event loop, whenever the primary selection changes, with false when it
    // was cleared; selectedText() then answers with its text. False where the back end
    // sees the buttons instead.
    virtual bool deliverSelectionChanges(std::function<void(bool selected)> handler)
    {
        (void)handler;
        return false;
    }

    // The selection watcher calls this when the primary button goes down, so that a
    // selection made before the press (and kept after a deselect) is never taken.
    // eventTimeMs: the press's own time from Input::ButtonEvent; 0 when it was
    // noticed by sampling and its time is unknown.
    virtual void notePrimaryButtonDown(std::uint32_t eventTimeMs) = 0;
    // The text the user has selected in the window (the primary selection), when the
    // window's own process made that selection since the primary button last went
    // down; nothing otherwise. The wait for the application is bounded.
    virtual std::optional<QString> selectedText(WindowHandle window) = 0;
    // The primary selection's text as it stands, whoever made it and however (the
    // keyboard too); nothing when there is none. For the user's own request to
    // translate it. The wait for the owner is bounded.
    virtual std::optional<QString> primarySelectionText() = 0;
};

} // namespace platform
