#pragma once
#include "platform/ApplicationWindows.h"
#include "platform/gnome/ButtonWatch.h"
#include "platform/gnome/ShellExtensionBus.h"

namespace platform::gnome {

// Other applications' windows as the Shell sees them: the focused one (its id is the
// Shell's own window id), its process and application id, and the primary selection
// with its every change. Wayland applications are known by their application id, as on
// other Wayland desktops; XWayland ones by their process, as on X11. Window places stay
// the Shell's.
class GnomeApplicationWindows : public ApplicationWindows {
public:
    GnomeApplicationWindows(ShellExtensionBus& shell, ButtonWatch& watch);

    WindowHandle foregroundWindow() override;
    std::int64_t windowProcessId(WindowHandle window) override;
    std::optional<QRect> windowRect(WindowHandle) override { return std::nullopt; }
    bool reportsGeometry() override { return false; }
    QStringList windowClass(WindowHandle window) override;
    QString applicationId(WindowHandle window) override;
    bool deliverForegroundChanges(std::function<void()> handler) override;
    bool deliverSelectionChanges(std::function<void(bool selected)> handler) override;
    void notePrimaryButtonDown(std::uint32_t) override {}
    std::optional<QString> selectedText(WindowHandle window) override;
    std::optional<QString> primarySelectionText() override;

private:
    // The focused window as last reported; asked afresh after each focus change.
    ShellExtensionBus::FocusedWindow focused();
    // What is known of the window: nothing unless it is the focused one.
    std::optional<ShellExtensionBus::FocusedWindow> known(WindowHandle window);

    ShellExtensionBus& shell_;
    ButtonWatch& watch_;
    std::optional<ShellExtensionBus::FocusedWindow> focused_;
};

} // namespace platform::gnome
