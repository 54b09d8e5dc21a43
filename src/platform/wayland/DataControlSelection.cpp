#include "platform/wayland/DataControlSelection.h"

#include "platform/wayland/WaylandConnection.h"

#include "ext-data-control-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QDeadlineTimer>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

namespace platform::wayland {

// The two data-control protocols are the same protocol under two names: the same
// requests and events in the same order with the same arguments. One code path
// speaks both through the generic proxy calls, with the names of the one in use.
struct DataControlSelection::Protocol {
    const wl_interface* manager;
    const wl_interface* device;
    std::uint32_t minVersion; // the wlr one has the primary selection from version 2
};

namespace {
// Request numbers, shared by both protocols.
constexpr std::uint32_t ManagerGetDataDevice = 1;
constexpr std::uint32_t ManagerDestroy = 2;
constexpr std::uint32_t DeviceDestroy = 1;
constexpr std::uint32_t OfferReceive = 0;
constexpr std::uint32_t OfferDestroy = 1;

// Text types, the best first.
const QList<QByteArray> TextTypes = {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain", "STRING", "TEXT"};

struct DeviceListener {
    void (*dataOffer)(void*, wl_proxy*, wl_proxy*);
    void (*selection)(void*, wl_proxy*, wl_proxy*);
    void (*finished)(void*, wl_proxy*);
    void (*primarySelection)(void*, wl_proxy*, wl_proxy*);
};
struct OfferListener {
    void (*offer)(void*, wl_proxy*, const char*);
};
} // namespace

namespace {
// The standard name first: newer compositors offer only it.
const DataControlSelection::Protocol Protocols[] = {
    {&ext_data_control_manager_v1_interface, &ext_data_control_device_v1_interface, 1},
    {&zwlr_data_control_manager_v1_interface, &zwlr_data_control_device_v1_interface, 2},
};
} // namespace

bool DataControlSelection::isOffered(const WaylandConnection& connection)
{
    for (const Protocol& protocol : Protocols)
        if (connection.has(protocol.manager->name))
            return true;
    return false;
}

DataControlSelection::DataControlSelection(WaylandConnection& connection) : connection_(connection)
{
    static const DeviceListener deviceListener = {&onDataOffer, &onSelection, &onFinished, &onPrimarySelection};
    wl_seat* seat = connection.seat();
    if (!seat)
        return;
    for (const Protocol& protocol : Protocols) {
        manager_ = static_cast<wl_proxy*>(connection.bind(protocol.manager, 2, protocol.minVersion));
        if (!manager_)
            continue;
        protocol_ = &protocol;
        device_ = wl_proxy_marshal_flags(manager_, ManagerGetDataDevice, protocol.device,
                                         wl_proxy_get_version(manager_), 0, nullptr, seat);
        wl_proxy_add_listener(device_, reinterpret_cast<void (**)(void)>(const_cast<DeviceListener*>(&deviceListener)),
                              this);
        // The current selections arrive at once: known before anything is asked.
        connection.roundtrip(1000);
        return;
    }
}

DataControlSelection::~DataControlSelection()
{
    destroyOffer(primary_);
    destroyOffer(clipboard_);
    for (auto it = types_.begin(); it != types_.end(); ++it) {
        wl_proxy* offer = it.key();
        wl_proxy_marshal_flags(offer, OfferDestroy, nullptr, wl_proxy_get_version(offer), WL_MARSHAL_FLAG_DESTROY);
    }
    if (device_)
        wl_proxy_marshal_flags(device_, DeviceDestroy, nullptr, wl_proxy_get_version(device_), WL_MARSHAL_FLAG_DESTROY);
    if (manager_)
        wl_proxy_marshal_flags(manager_, ManagerDestroy, nullptr, wl_proxy_get_version(manager_),
                               WL_MARSHAL_FLAG_DESTROY);
    connection_.flush();
}

void DataControlSelection::destroyOffer(wl_proxy*& offer)
{
    if (!offer)
        return;
    types_.remove(offer);
    wl_proxy_marshal_flags(offer, OfferDestroy, nullptr, wl_proxy_get_version(offer), WL_MARSHAL_FLAG_DESTROY);
    offer = nullptr;
}

void DataControlSelection::onDataOffer(void* data, wl_proxy*, wl_proxy* offer)
{
    static const OfferListener offerListener = {&onOffer};
    auto* self = static_cast<DataControlSelection*>(data);
    self->types_.insert(offer, {});
    wl_proxy_add_listener(offer, reinterpret_cast<void (**)(void)>(const_cast<OfferListener*>(&offerListener)), data);
}

void DataControlSelection::onOffer(void* data, wl_proxy* offer, const char* mimeType)
{
    auto* self = static_cast<DataControlSelection*>(data);
    if (self->types_.contains(offer))
        self->types_[offer].append(QByteArray(mimeType));
}

void DataControlSelection::onSelection(void* data, wl_proxy*, wl_proxy* offer)
{
    // The clipboard is never read: its offer is only kept until the next one.
    auto* self = static_cast<DataControlSelection*>(data);
    self->destroyOffer(self->clipboard_);
    self->clipboard_ = offer;
}

void DataControlSelection::onPrimarySelection(void* data, wl_proxy*, wl_proxy* offer)
{
    auto* self = static_cast<DataControlSelection*>(data);
    self->destroyOffer(self->primary_);
    self->primary_ = offer;
    if (self->changed_)
        self->changed_(offer != nullptr);
}

void DataControlSelection::onFinished(void* data, wl_proxy*)
{
    // The compositor will send nothing more on this device (the seat went away).
    auto* self = static_cast<DataControlSelection*>(data);
    self->destroyOffer(self->primary_);
    self->destroyOffer(self->clipboard_);
    wl_proxy_marshal_flags(self->device_, DeviceDestroy, nullptr, wl_proxy_get_version(self->device_),
                           WL_MARSHAL_FLAG_DESTROY);
    self->device_ = nullptr;
}

QByteArray DataControlSelection::textTypeOf(wl_proxy* offer) const
{
    const QList<QByteArray> offered = types_.value(offer);
    for (const QByteArray& type : TextTypes)
        if (offered.contains(type))
            return type;
    return {};
}

std::optional<QString> DataControlSelection::readPrimary()
{
    if (!primary_)
        return std::nullopt;
    const QByteArray type = textTypeOf(primary_);
    if (type.isEmpty())
        return std::nullopt;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return std::nullopt;
    wl_proxy_marshal_flags(primary_, OfferReceive, nullptr, wl_proxy_get_version(primary_), 0, type.constData(),
                           ends[1]);
    connection_.flush();
    close(ends[1]);

    // The owner writes the text and closes its end; one that does not is given up on.
    QByteArray bytes;
    bool ended = false;
    const QDeadlineTimer deadline(ReadLimitMs);
    while (!ended && bytes.size() < ReadLimitBytes) {
        pollfd descriptor{ends[0], POLLIN, 0};
        const int left = int(deadline.remainingTime());
        const int ready = left > 0 ? poll(&descriptor, 1, left) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[65536];
        const ssize_t got = read(ends[0], buffer, sizeof buffer);
        if (got > 0)
            bytes.append(buffer, qsizetype(got));
        else if (got == 0 || (errno != EAGAIN && errno != EINTR))
            ended = true;
    }
    close(ends[0]);
    if (!ended && bytes.size() < ReadLimitBytes)
        return std::nullopt;
    bytes.truncate(ReadLimitBytes);
    if (bytes.isEmpty())
        return std::nullopt;
    // Text types other than the UTF-8 ones are Latin-1 by the old X convention.
    const bool utf8 = type == "text/plain;charset=utf-8" || type == "UTF8_STRING" || type == "text/plain";
    return utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

} // namespace platform::wayland
