#pragma once
#include "platform/ApplicationWindows.h"

#include <QObject>

namespace platform::x11 {

class X11Connection;
class X11Selections;

// Top-level windows and the text selected in them, read from the PRIMARY selection
// when it belongs to the asked window's process.
class X11ApplicationWindows : public ApplicationWindows {
public:
    X11ApplicationWindows(X11Connection& connection, X11Selections& selections);

    WindowHandle foregroundWindow() override;
    std::int64_t windowProcessId(WindowHandle window) override;
    std::optional<QRect> windowRect(WindowHandle window) override;
    std::optional<QRect> contentRect(WindowHandle window) override;
    bool isDesktopOrPanel(WindowHandle window) override;
    QStringList windowClass(WindowHandle window) override;
    bool deliverForegroundChanges(std::function<void()> handler) override;
    void notePrimaryButtonDown(std::uint32_t eventTimeMs) override;
    std::optional<QString> selectedText(WindowHandle window) override;
    std::optional<QString> primarySelectionText() override;

private:
    // Reads the events the server has sent (without a round trip); true when the
    // window manager changed the active-window property since the last call.
    bool activeWindowChanged();
    // The window manager's active window (0: none is active); nothing when no
    // window manager publishes one.
    std::optional<WindowHandle> activeWindowProperty();
    bool managerPublishesActiveWindow();
    WindowHandle focusTopLevel();
    // PRIMARY has been taken since the primary button last went down.
    bool primaryTakenSincePress();

    // How long a selection may take to appear after the release that made it.
    static constexpr int SelectionSettleMs = 150;

    X11Connection& connection_;
    X11Selections& selections_;
    std::uint64_t primaryChangesAtPress_ = 0;
    // The press's server time; 0 when it was sampled and only the count tells.
    std::uint32_t pressTime_ = 0;
    // The active window as last read, kept current by property-change events on the
    // root window, so that the watcher's tick does not ask the server each time.
    unsigned long activeAtom_ = 0;
    unsigned long supportedAtom_ = 0;
    // True until the property has been read once.
    bool activePropertyChanged_ = true;
    std::optional<WindowHandle> active_;
    void callForegroundHandler();
    std::function<void()> foregroundHandler_;
    bool foregroundCallQueued_ = false;
    // Calls queued for the event loop die with it.
    QObject deliveryContext_;
};

} // namespace platform::x11
