#include "platform/wayland/LayerSurfacePointerLocator.h"

#include "platform/wayland/WaylandConnection.h"

#include "viewporter-client-protocol.h"
// The layer shell names an argument "namespace", a keyword in C++.
#define namespace layerNamespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
// Without the xdg-output protocol every output counts as placed at 0,0.
#include "xdg-output-unstable-v1-client-protocol.h"

#include <QtMath>
#include <algorithm>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace platform::wayland {

namespace {

// A proxy bound at a version below the one its destructor request came with is
// destroyed on this side only.
template <typename Proxy>
void destroyProxy(Proxy* proxy, void (*request)(Proxy*), std::uint32_t since)
{
    if (!proxy)
        return;
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(proxy)) >= since)
        request(proxy);
    else
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(proxy));
}

} // namespace

bool LayerSurfacePointerLocator::isOffered(const WaylandConnection& connection)
{
    return connection.has("zwlr_layer_shell_v1") && connection.has("wp_viewporter") && connection.has("wl_shm")
        && connection.has("wl_compositor") && connection.has("wl_seat");
}

LayerSurfacePointerLocator::LayerSurfacePointerLocator(WaylandConnection& connection) : connection_(connection)
{
    compositor_ = static_cast<wl_compositor*>(connection_.bind(&wl_compositor_interface, 4));
    layerShell_ = static_cast<zwlr_layer_shell_v1*>(connection_.bind(&zwlr_layer_shell_v1_interface, 4));
    viewporter_ = static_cast<wp_viewporter*>(connection_.bind(&wp_viewporter_interface, 1));
    if (!compositor_ || !layerShell_ || !viewporter_ || !createBuffer())
        return;
    noInput_ = wl_compositor_create_region(compositor_);
    // A seat of its own, so that its pointer capability can be followed.
    seat_ = static_cast<wl_seat*>(connection_.bind(&wl_seat_interface, 5));
    if (seat_) {
        static const wl_seat_listener seatListener = {
            .capabilities = &LayerSurfacePointerLocator::onCapabilities,
            .name = [](void*, wl_seat*, const char*) {},
        };
        wl_seat_add_listener(seat_, &seatListener, this);
    }
    // wl_output gives no place in the global coordinates (wlroots sends 0,0); the xdg
    // output's logical position is that place. Without it every output is at 0,0.
    xdgOutputManager_ =
        static_cast<zxdg_output_manager_v1*>(connection_.bind(&zxdg_output_manager_v1_interface, 3));
    outputWatch_ = connection_.watchGlobals(wl_output_interface.name, [this](const auto& global, bool added) {
        if (added) {
            addOutput(global);
            return;
        }
        outputs_.remove_if([this, &global](Output& output) {
            if (output.name != global.name)
                return false;
            forgetOutput(output);
            return true;
        });
    });
    // The seat's capabilities and the outputs' positions.
    connection_.roundtrip(1000);
}

LayerSurfacePointerLocator::~LayerSurfacePointerLocator()
{
    uncover();
    if (outputWatch_)
        connection_.unwatchGlobals(outputWatch_);
    for (Output& output : outputs_)
        forgetOutput(output);
    setPointerCapability(false);
    if (xdgOutputManager_)
        zxdg_output_manager_v1_destroy(xdgOutputManager_);
    destroyProxy(seat_, &wl_seat_release, WL_SEAT_RELEASE_SINCE_VERSION);
    if (noInput_)
        wl_region_destroy(noInput_);
    if (buffer_)
        wl_buffer_destroy(buffer_);
    if (viewporter_)
        wp_viewporter_destroy(viewporter_);
    destroyProxy(layerShell_, &zwlr_layer_shell_v1_destroy, ZWLR_LAYER_SHELL_V1_DESTROY_SINCE_VERSION);
    if (compositor_)
        wl_compositor_destroy(compositor_);
    connection_.flush();
}

bool LayerSurfacePointerLocator::createBuffer()
{
    // One transparent pixel; the viewport stretches it over the whole output.
    auto* shm = static_cast<wl_shm*>(connection_.bind(&wl_shm_interface, 1));
    if (!shm)
        return false;
    const int fd = memfd_create("pointer-locator", MFD_CLOEXEC);
    if (fd >= 0 && ftruncate(fd, 4) == 0) {
        wl_shm_pool* pool = wl_shm_create_pool(shm, fd, 4);
        buffer_ = wl_shm_pool_create_buffer(pool, 0, 1, 1, 4, WL_SHM_FORMAT_ARGB8888);
        wl_shm_pool_destroy(pool);
    }
    if (fd >= 0)
        close(fd);
    wl_shm_destroy(shm);
    return buffer_ != nullptr;
}

void LayerSurfacePointerLocator::addOutput(const WaylandConnection::Global& global)
{
    Output& output = outputs_.emplace_back();
    output.name = global.name;
    output.output =
        static_cast<wl_output*>(connection_.bind(global, &wl_output_interface, WL_OUTPUT_RELEASE_SINCE_VERSION));
    if (!xdgOutputManager_)
        return;
    static const zxdg_output_v1_listener listener = {
        .logical_position =
            [](void* data, zxdg_output_v1*, std::int32_t x, std::int32_t y) {
                static_cast<Output*>(data)->position = QPoint(x, y);
            },
        .logical_size = [](void*, zxdg_output_v1*, std::int32_t, std::int32_t) {},
        .done = [](void*, zxdg_output_v1*) {},
        .name = [](void*, zxdg_output_v1*, const char*) {},
        .description = [](void*, zxdg_output_v1*, const char*) {},
    };
    output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(xdgOutputManager_, output.output);
    zxdg_output_v1_add_listener(output.xdgOutput, &listener, &output);
}

void LayerSurfacePointerLocator::forgetOutput(Output& output)
{
    if (output.xdgOutput)
        zxdg_output_v1_destroy(output.xdgOutput);
    output.xdgOutput = nullptr;
    destroyProxy(output.output, &wl_output_release, WL_OUTPUT_RELEASE_SINCE_VERSION);
    output.output = nullptr;
}

void LayerSurfacePointerLocator::onCapabilities(void* data, wl_seat*, std::uint32_t capabilities)
{
    static_cast<LayerSurfacePointerLocator*>(data)->setPointerCapability(capabilities & WL_SEAT_CAPABILITY_POINTER);
}

void LayerSurfacePointerLocator::setPointerCapability(bool present)
{
    if (present && !pointer_) {
        static const wl_pointer_listener listener = {
            .enter = &LayerSurfacePointerLocator::onEnter,
            .leave = [](void*, wl_pointer*, std::uint32_t, wl_surface*) {},
            .motion = [](void*, wl_pointer*, std::uint32_t, wl_fixed_t, wl_fixed_t) {},
            .button = [](void*, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {},
            .axis = [](void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {},
            .frame = [](void*, wl_pointer*) {},
            .axis_source = [](void*, wl_pointer*, std::uint32_t) {},
            .axis_stop = [](void*, wl_pointer*, std::uint32_t, std::uint32_t) {},
            .axis_discrete = [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
            .axis_value120 = [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
        };
        pointer_ = wl_seat_get_pointer(seat_);
        wl_pointer_add_listener(pointer_, &listener, this);
    } else if (!present && pointer_) {
        destroyProxy(pointer_, &wl_pointer_release, WL_POINTER_RELEASE_SINCE_VERSION);
        pointer_ = nullptr;
    }
}

std::optional<QPoint> LayerSurfacePointerLocator::locate(int timeoutMs)
{
    // A locate asked for from an event handler while one waits would tear its covers down.
    if (!buffer_ || !pointer_ || locating_)
        return std::nullopt;
    locating_ = true;
    enteredOutput_.reset();
    // Each output gets its own cover, so the pointer enters the one of the output it is on.
    // Without any output known the compositor puts the one cover on the output it chooses.
    if (outputs_.empty())
        cover(0, nullptr);
    for (const Output& output : outputs_)
        cover(output.name, output.output);
    connection_.flush();
    const auto settled = [this] {
        return enteredOutput_ || std::all_of(covers_.begin(), covers_.end(), [](const Cover& c) { return c.closed; });
    };
    connection_.waitUntil(settled, timeoutMs);
    uncover();
    locating_ = false;
    if (!enteredOutput_)
        return std::nullopt;
    QPoint origin;
    for (const Output& output : outputs_)
        if (output.name == *enteredOutput_)
            origin = output.position;
    return origin + QPoint(qFloor(enteredAt_.x()), qFloor(enteredAt_.y()));
}

void LayerSurfacePointerLocator::cover(std::uint32_t outputName, wl_output* output)
{
    static const zwlr_layer_surface_v1_listener listener = {&LayerSurfacePointerLocator::onConfigure,
                                                            &LayerSurfacePointerLocator::onClosed};
    Cover& cover = covers_.emplace_back();
    cover.owner = this;
    cover.outputName = outputName;
    cover.surface = wl_compositor_create_surface(compositor_);
    cover.viewport = wp_viewporter_get_viewport(viewporter_, cover.surface);
    // Above every panel and window, reaching every edge, taking no keyboard focus.
    cover.layerSurface = zwlr_layer_shell_v1_get_layer_surface(layerShell_, cover.surface, output,
                                                               ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "pointer-locator");
    zwlr_layer_surface_v1_add_listener(cover.layerSurface, &listener, &cover);
    zwlr_layer_surface_v1_set_anchor(cover.layerSurface,
                                     ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM
                                         | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_exclusive_zone(cover.layerSurface, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(cover.layerSurface,
                                                     ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    // Size 0,0: the compositor sizes it to the output in its configure.
    wl_surface_commit(cover.surface);
}

void LayerSurfacePointerLocator::onConfigure(void* data, zwlr_layer_surface_v1* layerSurface, std::uint32_t serial,
                                             std::uint32_t width, std::uint32_t height)
{
    auto& cover = *static_cast<Cover*>(data);
    zwlr_layer_surface_v1_ack_configure(layerSurface, serial);
    if (width == 0 || height == 0) {
        cover.closed = true;
        return;
    }
    // The first buffer maps the surface, and the compositor sends the pointer's enter.
    wp_viewport_set_destination(cover.viewport, int(width), int(height));
    wl_surface_attach(cover.surface, cover.owner->buffer_, 0, 0);
    wl_surface_commit(cover.surface);
    cover.owner->connection_.flush();
}

void LayerSurfacePointerLocator::onClosed(void* data, zwlr_layer_surface_v1*)
{
    static_cast<Cover*>(data)->closed = true;
}

void LayerSurfacePointerLocator::onEnter(void* data, wl_pointer*, std::uint32_t, wl_surface* surface, wl_fixed_t x,
                                         wl_fixed_t y)
{
    auto* self = static_cast<LayerSurfacePointerLocator*>(data);
    for (const Cover& cover : self->covers_) {
        if (surface && cover.surface == surface && !self->enteredOutput_) {
            self->enteredOutput_ = cover.outputName;
            self->enteredAt_ = QPointF(wl_fixed_to_double(x), wl_fixed_to_double(y));
        }
    }
}

void LayerSurfacePointerLocator::uncover()
{
    for (Cover& cover : covers_) {
        // sway hands the pointer back to the window under it when a surface stops taking
        // input, but not when the surface is destroyed: without this the window would get
        // the pointer only on its next motion, and a click before that would be lost.
        wl_surface_set_input_region(cover.surface, noInput_);
        wl_surface_commit(cover.surface);
        zwlr_layer_surface_v1_destroy(cover.layerSurface);
        wp_viewport_destroy(cover.viewport);
        wl_surface_destroy(cover.surface);
    }
    // At once: until the compositor has handled this, the covers take the clicks.
    if (!covers_.empty())
        connection_.flush();
    covers_.clear();
}

} // namespace platform::wayland
