#pragma once
#include "platform/wayland/ToplevelTracker.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct org_kde_plasma_window;
struct org_kde_plasma_window_management;

namespace platform::wayland {

class WaylandConnection;

// The window list of KWin (Plasma's window management protocol): each window's
// process, application id and whether it is the active one. KWin offers the protocol
// only to clients its desktop file allows, or to every client when permission checks
// are off.
class PlasmaWindowTracker : public QObject, public ToplevelTracker {
    Q_OBJECT
public:
    explicit PlasmaWindowTracker(WaylandConnection& connection);
    ~PlasmaWindowTracker() override;

    // The compositor offers Plasma's window management to this program.
    static bool isOffered(const WaylandConnection& connection);
    // The protocol is bound and its window list is known.
    bool isReady() const { return manager_ != nullptr; }

    WindowHandle activeWindow() override;
    std::int64_t processId(WindowHandle window) override;
    QString applicationId(WindowHandle window) override;
    void setActiveChangedHandler(std::function<void()> handler) override;

private:
    struct Window {
        PlasmaWindowTracker* tracker = nullptr;
        org_kde_plasma_window* proxy = nullptr;
        std::uint32_t internalId = 0;
        WindowHandle handle = 0;
        std::int64_t pid = 0;
        QString appId;
        bool active = false;
    };

    void track(std::uint32_t internalId, org_kde_plasma_window* proxy);
    void setActive(Window& window, bool active);
    void forget(Window& window);
    const Window* find(WindowHandle handle) const;
    void announceActiveChange();

    static void onWindow(void* data, org_kde_plasma_window_management* manager, std::uint32_t id);
    static void onWindowWithUuid(void* data, org_kde_plasma_window_management* manager, std::uint32_t id,
                                 const char* uuid);
    static void onAppId(void* data, org_kde_plasma_window* proxy, const char* appId);
    static void onState(void* data, org_kde_plasma_window* proxy, std::uint32_t flags);
    static void onUnmapped(void* data, org_kde_plasma_window* proxy);
    static void onPid(void* data, org_kde_plasma_window* proxy, std::uint32_t pid);

    WaylandConnection& connection_;
    org_kde_plasma_window_management* manager_ = nullptr;
    std::vector<std::unique_ptr<Window>> windows_;
    WindowHandle nextHandle_ = 1;
    WindowHandle active_ = 0;
    bool announcePending_ = false;
    std::function<void()> handler_;
};

} // namespace platform::wayland
