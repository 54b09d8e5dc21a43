#pragma once
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

struct wl_proxy;
struct wl_interface;

namespace platform::wayland {

class WaylandConnection;

// The primary selection of the whole session, through the compositor's data-control
// protocol (ext_data_control_v1, or zwlr_data_control_manager_v1 version 2): seen
// without focus and without a window. Only read: neither selection is ever set, and
// the clipboard's offers are let go unread.
class DataControlSelection {
public:
    // Longest wait for the selection's owner to hand over its text.
    static constexpr int ReadLimitMs = 1000;
    // Longer texts are cut here: no selection a person reads is this long.
    static constexpr qsizetype ReadLimitBytes = 4 * 1024 * 1024;

    // Which of the two protocols is spoken (defined where it is used).
    struct Protocol;

    explicit DataControlSelection(WaylandConnection& connection);
    ~DataControlSelection();
    DataControlSelection(const DataControlSelection&) = delete;
    DataControlSelection& operator=(const DataControlSelection&) = delete;

    // The compositor offers a data-control this class speaks.
    static bool isOffered(const WaylandConnection& connection);
    bool isAvailable() const { return device_ != nullptr; }

    // The handler runs whenever the primary selection changes: true for a new one,
    // false when it was cleared.
    void setChangeHandler(std::function<void(bool selected)> handler) { changed_ = std::move(handler); }
    // The primary selection's text; nothing when there is none, it offers no text or
    // its owner did not hand it over within ReadLimitMs.
    std::optional<QString> readPrimary();

private:
    static void onDataOffer(void* data, wl_proxy* device, wl_proxy* offer);
    static void onSelection(void* data, wl_proxy* device, wl_proxy* offer);
    static void onFinished(void* data, wl_proxy* device);
    static void onPrimarySelection(void* data, wl_proxy* device, wl_proxy* offer);
    static void onOffer(void* data, wl_proxy* offer, const char* mimeType);
    void destroyOffer(wl_proxy*& offer);
    // The best text type the offer has; empty when it has none.
    QByteArray textTypeOf(wl_proxy* offer) const;

    WaylandConnection& connection_;
    const Protocol* protocol_ = nullptr;
    wl_proxy* manager_ = nullptr;
    wl_proxy* device_ = nullptr;
    wl_proxy* primary_ = nullptr;
    wl_proxy* clipboard_ = nullptr;
    // The types each live offer announced.
    QHash<wl_proxy*, QList<QByteArray>> types_;
    std::function<void(bool)> changed_;
};

} // namespace platform::wayland
