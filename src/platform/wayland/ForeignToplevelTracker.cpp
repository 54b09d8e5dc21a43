#include "platform/wayland/ForeignToplevelTracker.h"

#include "platform/wayland/WaylandConnection.h"

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace platform::wayland {

namespace {
ForeignToplevelTracker* self(void* data)
{
    return static_cast<ForeignToplevelTracker*>(data);
}
} // namespace

const zwlr_foreign_toplevel_handle_v1_listener ForeignToplevelTracker::HandleListener = {
    [](void*, zwlr_foreign_toplevel_handle_v1*, const char*) {}, // title
    [](void* data, zwlr_foreign_toplevel_handle_v1* toplevel, const char* appId) {
        auto& windows = static_cast<ForeignToplevelTracker*>(data)->windows_;
        if (windows.contains(toplevel))
            windows[toplevel].pendingApplicationId = QString::fromUtf8(appId);
    },
    [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}, // output_enter
    [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}, // output_leave
    [](void* data, zwlr_foreign_toplevel_handle_v1* toplevel, wl_array* states) {
        auto& windows = static_cast<ForeignToplevelTracker*>(data)->windows_;
        if (!windows.contains(toplevel))
            return;
        bool activated = false;
        const auto* state = static_cast<const std::uint32_t*>(states->data);
        for (std::size_t i = 0; i < states->size / sizeof(std::uint32_t); ++i)
            activated = activated || state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
        windows[toplevel].pendingActivated = activated;
    },
    [](void* data, zwlr_foreign_toplevel_handle_v1* toplevel) { self(data)->windowDone(toplevel); },
    [](void* data, zwlr_foreign_toplevel_handle_v1* toplevel) { self(data)->windowClosed(toplevel); },
    [](void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}, // parent
};

const zwlr_foreign_toplevel_manager_v1_listener ForeignToplevelTracker::ManagerListener = {
    [](void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* toplevel) {
        auto* tracker = self(data);
        Window window;
        window.handle = tracker->nextHandle_++;
        tracker->windows_.insert(toplevel, window);
        zwlr_foreign_toplevel_handle_v1_add_listener(toplevel, &HandleListener, data);
    },
    [](void* data, zwlr_foreign_toplevel_manager_v1* manager) {
        // The compositor ends the list: nothing more will be told.
        zwlr_foreign_toplevel_manager_v1_destroy(manager);
        self(data)->manager_ = nullptr;
    },
};

bool ForeignToplevelTracker::isOffered(const WaylandConnection& connection)
{
    return connection.has(zwlr_foreign_toplevel_manager_v1_interface.name);
}

ForeignToplevelTracker::ForeignToplevelTracker(WaylandConnection& connection) : connection_(connection)
{
    manager_ = static_cast<zwlr_foreign_toplevel_manager_v1*>(
        connection.bind(&zwlr_foreign_toplevel_manager_v1_interface, 3));
    if (!manager_)
        return;
    zwlr_foreign_toplevel_manager_v1_add_listener(manager_, &ManagerListener, this);
    // The windows already open, with their state, before anyone asks.
    connection.roundtrip(1000);
    connection.roundtrip(1000);
}

ForeignToplevelTracker::~ForeignToplevelTracker()
{
    for (auto it = windows_.begin(); it != windows_.end(); ++it)
        zwlr_foreign_toplevel_handle_v1_destroy(it.key());
    if (manager_)
        zwlr_foreign_toplevel_manager_v1_stop(manager_);
    connection_.flush();
}

void ForeignToplevelTracker::windowDone(zwlr_foreign_toplevel_handle_v1* toplevel)
{
    Window& window = windows_[toplevel];
    window.applicationId = window.pendingApplicationId;
    window.activated = window.pendingActivated;
    const WindowHandle before = active_;
    if (window.activated)
        active_ = window.handle;
    else if (active_ == window.handle)
        active_ = 0;
    if (active_ != before && changed_)
        changed_();
}

void ForeignToplevelTracker::windowClosed(zwlr_foreign_toplevel_handle_v1* toplevel)
{
    const Window window = windows_.take(toplevel);
    zwlr_foreign_toplevel_handle_v1_destroy(toplevel);
    if (window.handle == active_) {
        active_ = 0;
        if (changed_)
            changed_();
    }
}

WindowHandle ForeignToplevelTracker::activeWindow()
{
    return active_;
}

std::int64_t ForeignToplevelTracker::processId(WindowHandle)
{
    return 0;
}

QString ForeignToplevelTracker::applicationId(WindowHandle window)
{
    for (const Window& known : std::as_const(windows_))
        if (known.handle == window)
            return known.applicationId;
    return {};
}

} // namespace platform::wayland
