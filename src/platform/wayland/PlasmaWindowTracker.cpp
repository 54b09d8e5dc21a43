#include "platform/wayland/PlasmaWindowTracker.h"

#include "platform/wayland/WaylandConnection.h"
#include "plasma-window-management-client-protocol.h"

#include <QMetaObject>
#include <algorithm>

namespace platform::wayland {

namespace {

template <typename... Args>
void ignore(void*, Args...)
{
}

// The window list KWin 5.27 advertises; later versions only add what is not used here.
constexpr std::uint32_t ProtocolVersion = 16;
constexpr int StartupWaitMs = 2000;

} // namespace

PlasmaWindowTracker::PlasmaWindowTracker(WaylandConnection& connection) : connection_(connection)
{
    static const org_kde_plasma_window_management_listener listener = {
        ignore<org_kde_plasma_window_management*, std::uint32_t>, &PlasmaWindowTracker::onWindow,
        ignore<org_kde_plasma_window_management*, wl_array*>, ignore<org_kde_plasma_window_management*, const char*>,
        &PlasmaWindowTracker::onWindowWithUuid};
    manager_ = static_cast<org_kde_plasma_window_management*>(
        connection_.bind(&org_kde_plasma_window_management_interface, ProtocolVersion, 1));
    if (!manager_)
        return;
    org_kde_plasma_window_management_add_listener(manager_, &listener, this);
    // The first round trip brings the windows, the second what each one is.
    connection_.roundtrip(StartupWaitMs);
    connection_.roundtrip(StartupWaitMs);
}

PlasmaWindowTracker::~PlasmaWindowTracker()
{
    for (const auto& window : windows_)
        if (window->proxy)
            org_kde_plasma_window_destroy(window->proxy);
    if (manager_)
        org_kde_plasma_window_management_destroy(manager_);
    connection_.flush();
}

bool PlasmaWindowTracker::isOffered(const WaylandConnection& connection)
{
    return connection.has(org_kde_plasma_window_management_interface.name);
}

WindowHandle PlasmaWindowTracker::activeWindow()
{
    return active_;
}

std::int64_t PlasmaWindowTracker::processId(WindowHandle window)
{
    const Window* found = find(window);
    return found ? found->pid : 0;
}

QString PlasmaWindowTracker::applicationId(WindowHandle window)
{
    const Window* found = find(window);
    return found ? found->appId : QString();
}

void PlasmaWindowTracker::setActiveChangedHandler(std::function<void()> handler)
{
    handler_ = std::move(handler);
}

void PlasmaWindowTracker::track(std::uint32_t internalId, org_kde_plasma_window* proxy)
{
    static const org_kde_plasma_window_listener listener = {
        ignore<org_kde_plasma_window*, const char*>,               // title_changed
        &PlasmaWindowTracker::onAppId,                            // app_id_changed
        &PlasmaWindowTracker::onState,                            // state_changed
        ignore<org_kde_plasma_window*, std::int32_t>,             // virtual_desktop_changed
        ignore<org_kde_plasma_window*, const char*>,              // themed_icon_name_changed
        &PlasmaWindowTracker::onUnmapped,                         // unmapped
        ignore<org_kde_plasma_window*>,                           // initial_state
        ignore<org_kde_plasma_window*, org_kde_plasma_window*>,   // parent_window
        ignore<org_kde_plasma_window*, std::int32_t, std::int32_t, std::uint32_t, std::uint32_t>, // geometry
        ignore<org_kde_plasma_window*>,                           // icon_changed
        &PlasmaWindowTracker::onPid,                              // pid_changed
        ignore<org_kde_plasma_window*, const char*>,              // virtual_desktop_entered
        ignore<org_kde_plasma_window*, const char*>,              // virtual_desktop_left
        ignore<org_kde_plasma_window*, const char*, const char*>, // application_menu
        ignore<org_kde_plasma_window*, const char*>,              // activity_entered
        ignore<org_kde_plasma_window*, const char*>,              // activity_left
        ignore<org_kde_plasma_window*, const char*>};             // resource_name_changed
    auto window = std::make_unique<Window>();
    window->tracker = this;
    window->proxy = proxy;
    window->internalId = internalId;
    window->handle = nextHandle_++;
    org_kde_plasma_window_add_listener(proxy, &listener, window.get());
    windows_.push_back(std::move(window));
}

void PlasmaWindowTracker::onWindow(void* data, org_kde_plasma_window_management* manager, std::uint32_t id)
{
    auto* self = static_cast<PlasmaWindowTracker*>(data);
    const bool known = std::any_of(self->windows_.begin(), self->windows_.end(),
                                   [id](const auto& window) { return window->internalId == id; });
    if (!known)
        self->track(id, org_kde_plasma_window_management_get_window(manager, id));
}

void PlasmaWindowTracker::onWindowWithUuid(void* data, org_kde_plasma_window_management* manager, std::uint32_t id,
                                           const char* uuid)
{
    // Newer protocol versions announce each window this way, with the number as well.
    auto* self = static_cast<PlasmaWindowTracker*>(data);
    const bool known = std::any_of(self->windows_.begin(), self->windows_.end(),
                                   [id](const auto& window) { return window->internalId == id; });
    if (!known)
        self->track(id, org_kde_plasma_window_management_get_window_by_uuid(manager, uuid));
}

void PlasmaWindowTracker::onAppId(void* data, org_kde_plasma_window*, const char* appId)
{
    static_cast<Window*>(data)->appId = QString::fromUtf8(appId);
}

void PlasmaWindowTracker::onState(void* data, org_kde_plasma_window*, std::uint32_t flags)
{
    auto* window = static_cast<Window*>(data);
    window->tracker->setActive(*window, flags & ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_ACTIVE);
}

void PlasmaWindowTracker::onPid(void* data, org_kde_plasma_window*, std::uint32_t pid)
{
    static_cast<Window*>(data)->pid = pid;
}

void PlasmaWindowTracker::onUnmapped(void* data, org_kde_plasma_window*)
{
    auto* window = static_cast<Window*>(data);
    window->tracker->forget(*window);
}

void PlasmaWindowTracker::setActive(Window& window, bool active)
{
    if (window.active == active)
        return;
    window.active = active;
    // KWin reports the old window's loss and the new one's gain separately, in either
    // order; the latest gain wins and a loss clears only its own window.
    if (active)
        active_ = window.handle;
    else if (active_ == window.handle)
        active_ = 0;
    announceActiveChange();
}

void PlasmaWindowTracker::forget(Window& window)
{
    if (window.active)
        setActive(window, false);
    org_kde_plasma_window_destroy(window.proxy);
    std::erase_if(windows_, [&window](const auto& entry) { return entry.get() == &window; });
}

const PlasmaWindowTracker::Window* PlasmaWindowTracker::find(WindowHandle handle) const
{
    const auto at = std::find_if(windows_.begin(), windows_.end(),
                                 [handle](const auto& window) { return window->handle == handle; });
    return at != windows_.end() ? at->get() : nullptr;
}

void PlasmaWindowTracker::announceActiveChange()
{
    // The handler runs from the event loop, never inside the Wayland event dispatch,
    // and once for a burst of changes.
    if (!handler_ || announcePending_)
        return;
    announcePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            announcePending_ = false;
            if (handler_)
                handler_();
        },
        Qt::QueuedConnection);
}

} // namespace platform::wayland
