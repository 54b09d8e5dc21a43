#pragma once
#include "platform/ApplicationWindows.h"

namespace platform::wayland {

class DataControlSelection;
class ToplevelTracker;

// Other applications' windows in a Wayland session: the active one from the
// compositor's window list, the selection from data-control. Window places are the
// compositor's secret, and the selected text is the primary selection, whose
// every change the watcher hears of (it cannot see the buttons).
class WaylandApplicationWindows : public ApplicationWindows {
public:
    WaylandApplicationWindows(ToplevelTracker& toplevels, DataControlSelection& selection);

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
    ToplevelTracker& toplevels_;
    DataControlSelection& selection_;
};

} // namespace platform::wayland
