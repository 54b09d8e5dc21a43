#pragma once
#include "platform/wayland/PointerLocator.h"
#include "platform/wayland/WaylandConnection.h"

#include <QPointF>
#include <cstdint>
#include <list>

struct wl_buffer;
struct wl_compositor;
struct wl_output;
struct wl_pointer;
struct wl_region;
struct wl_seat;
struct wl_surface;
struct wp_viewport;
struct wp_viewporter;
struct zwlr_layer_shell_v1;
struct zwlr_layer_surface_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

namespace platform::wayland {

// Finds the pointer on compositors with the wlroots layer shell (sway and its kin):
// for a moment it covers every output with a transparent overlay surface, and the
// compositor tells where the pointer enters it. The pointer need not move. While the
// surfaces exist (well under a millisecond on sway) they take any click, and the window
// under the pointer sees the pointer leave and come back. While a button is held the
// pointer stays with the window it was pressed on, so the answer comes at the release.
class LayerSurfacePointerLocator : public PointerLocator {
public:
    // The compositor offers the layer shell, the viewporter, shared memory and a seat.
    static bool isOffered(const WaylandConnection& connection);

    explicit LayerSurfacePointerLocator(WaylandConnection& connection);
    ~LayerSurfacePointerLocator() override;
    LayerSurfacePointerLocator(const LayerSurfacePointerLocator&) = delete;
    LayerSurfacePointerLocator& operator=(const LayerSurfacePointerLocator&) = delete;

    std::optional<QPoint> locate(int timeoutMs) override;
    bool followsCheaply() const override { return false; }

private:
    struct Output {
        std::uint32_t name = 0;
        wl_output* output = nullptr;
        zxdg_output_v1* xdgOutput = nullptr;
        // Where the output's top left corner lies in the global coordinates.
        QPoint position;
    };
    // One output's cover for the time of one locate.
    struct Cover {
        LayerSurfacePointerLocator* owner = nullptr;
        std::uint32_t outputName = 0;
        wl_surface* surface = nullptr;
        zwlr_layer_surface_v1* layerSurface = nullptr;
        wp_viewport* viewport = nullptr;
        bool closed = false;
    };

    bool createBuffer();
    void addOutput(const WaylandConnection::Global& global);
    void forgetOutput(Output& output);
    void cover(std::uint32_t outputName, wl_output* output);
    void uncover();
    void setPointerCapability(bool present);

    static void onCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities);
    static void onConfigure(void* data, zwlr_layer_surface_v1* layerSurface, std::uint32_t serial,
                            std::uint32_t width, std::uint32_t height);
    static void onClosed(void* data, zwlr_layer_surface_v1* layerSurface);
    static void onEnter(void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface,
                        std::int32_t x, std::int32_t y);

    WaylandConnection& connection_;
    int outputWatch_ = 0;
    wl_compositor* compositor_ = nullptr;
    zwlr_layer_shell_v1* layerShell_ = nullptr;
    wp_viewporter* viewporter_ = nullptr;
    zxdg_output_manager_v1* xdgOutputManager_ = nullptr;
    wl_seat* seat_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    wl_buffer* buffer_ = nullptr;
    // An empty input region, set on a cover before it goes.
    wl_region* noInput_ = nullptr;
    std::list<Output> outputs_;
    std::list<Cover> covers_;
    bool locating_ = false;
    // Set by the pointer's enter on a cover: the cover's output and the point on it.
    std::optional<std::uint32_t> enteredOutput_;
    QPointF enteredAt_;
};

} // namespace platform::wayland
