#pragma once
#include "platform/wayland/ToplevelTracker.h"

#include <QHash>
#include <QString>

struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_foreign_toplevel_handle_v1;
struct zwlr_foreign_toplevel_manager_v1_listener;
struct zwlr_foreign_toplevel_handle_v1_listener;

namespace platform::wayland {

class WaylandConnection;

// The windows of a wlroots compositor (sway and others), through its foreign-toplevel
// list: each window's application id and which one is activated. It tells no process.
class ForeignToplevelTracker : public ToplevelTracker {
public:
    explicit ForeignToplevelTracker(WaylandConnection& connection);
    ~ForeignToplevelTracker() override;

    static bool isOffered(const WaylandConnection& connection);

    WindowHandle activeWindow() override;
    std::int64_t processId(WindowHandle window) override;
    QString applicationId(WindowHandle window) override;
    void setActiveChangedHandler(std::function<void()> handler) override { changed_ = std::move(handler); }

private:
    struct Window {
        WindowHandle handle = 0;
        QString applicationId;
        bool activated = false;
        // What the events since the last done said; taken over at done.
        QString pendingApplicationId;
        bool pendingActivated = false;
    };
    static const ::zwlr_foreign_toplevel_manager_v1_listener ManagerListener;
    static const ::zwlr_foreign_toplevel_handle_v1_listener HandleListener;
    void windowDone(zwlr_foreign_toplevel_handle_v1* toplevel);
    void windowClosed(zwlr_foreign_toplevel_handle_v1* toplevel);

    WaylandConnection& connection_;
    zwlr_foreign_toplevel_manager_v1* manager_ = nullptr;
    QHash<zwlr_foreign_toplevel_handle_v1*, Window> windows_;
    WindowHandle nextHandle_ = 1;
    WindowHandle active_ = 0;
    std::function<void()> changed_;
};

} // namespace platform::wayland
