#pragma once
#include <QByteArray>
#include <QList>
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

struct wl_display;
struct wl_registry;
struct wl_interface;
struct wl_seat;
class QSocketNotifier;

namespace platform::wayland {

// The program's own connection to the Wayland compositor, beside the X11 one its
// windows use. Events are read and handled from the event loop as they arrive; the
// few waits on the compositor are bounded.
class WaylandConnection : public QObject {
    Q_OBJECT
public:
    struct Global {
        std::uint32_t name = 0;
        QByteArray interface;
        std::uint32_t version = 0;
    };

    // Connects to the compositor WAYLAND_DISPLAY names and learns its globals.
    WaylandConnection();
    ~WaylandConnection() override;

    bool isOpen() const { return display_ != nullptr; }
    wl_display* display() const { return display_; }

    // The compositor announced a global of that interface.
    bool has(const char* interface) const;
    // Binds the first global of the interface at the highest version both sides know,
    // at most maxVersion; nullptr when it is absent or older than minVersion.
    void* bind(const wl_interface* interface, std::uint32_t maxVersion, std::uint32_t minVersion = 1);
    // Binds that global at the highest version both sides know, at most maxVersion.
    void* bind(const Global& global, const wl_interface* interface, std::uint32_t maxVersion);
    // The first seat; nullptr when there is none.
    wl_seat* seat();
    // The handler hears of every global of the interface: those already announced at
    // once, later ones as they come (true) and go (false). Returns the watch's id.
    int watchGlobals(const char* interface, std::function<void(const Global&, bool added)> handler);
    void unwatchGlobals(int id);

    // Sends the requests made so far.
    void flush();
    // Reads and handles events until done() or timeoutMs have passed; true when done().
    bool waitUntil(const std::function<bool()>& done, int timeoutMs);
    // Waits until the compositor has handled every request sent so far.
    bool roundtrip(int timeoutMs);

private:
    void readEvents();
    static void onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                         std::uint32_t version);
    static void onGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    QList<Global> globals_;
    struct GlobalWatch {
        int id = 0;
        QByteArray interface;
        std::function<void(const Global&, bool)> handler;
    };
    QList<GlobalWatch> watches_;
    int nextWatch_ = 1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace platform::wayland
