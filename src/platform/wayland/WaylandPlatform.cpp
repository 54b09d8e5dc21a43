#include "platform/wayland/WaylandPlatform.h"

#include "platform/wayland/DataControlSelection.h"
#include "platform/wayland/ForeignToplevelTracker.h"
#include "platform/wayland/KWinScriptPointerLocator.h"
#include "platform/wayland/LayerSurfacePointerLocator.h"
#include "platform/wayland/PlasmaWindowTracker.h"
#include "platform/wayland/PointerLocator.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandInput.h"
#include "platform/wayland/WaylandScreen.h"
#include "platform/wayland/WaylandApplicationWindows.h"
#include "platform/wayland/XWaylandPlatform.h"

#include <cstdio>

namespace platform::wayland {
namespace {

// KWin's own window list tells each window's process; the wlroots one only its id.
std::unique_ptr<ToplevelTracker> createToplevelTracker(WaylandConnection& connection)
{
    if (PlasmaWindowTracker::isOffered(connection))
        return std::make_unique<PlasmaWindowTracker>(connection);
    if (ForeignToplevelTracker::isOffered(connection))
        return std::make_unique<ForeignToplevelTracker>(connection);
    return nullptr;
}

std::unique_ptr<PointerLocator> createPointerLocator(WaylandConnection& connection)
{
    if (PlasmaWindowTracker::isOffered(connection) && KWinScriptPointerLocator::isAvailable())
        return std::make_unique<KWinScriptPointerLocator>();
    if (LayerSurfacePointerLocator::isOffered(connection))
        return std::make_unique<LayerSurfacePointerLocator>(connection);
    return nullptr;
}

class WaylandPlatform : public XWaylandPlatform {
public:
    WaylandPlatform(std::unique_ptr<Platform> x11, std::unique_ptr<WaylandConnection> connection,
                    std::unique_ptr<DataControlSelection> selection, std::unique_ptr<ToplevelTracker> toplevels)
        : XWaylandPlatform(std::move(x11))
        , connection_(std::move(connection))
        , selection_(std::move(selection))
        , toplevels_(std::move(toplevels))
        , locator_(createPointerLocator(*connection_))
        , screen_(xwayland().screen())
        , input_(xwayland().input(), locator_.get())
        , windows_(*toplevels_, *selection_)
    {
    }

    Screen& screen() override { return screen_; }
    Input& input() override { return input_; }
    ApplicationWindows& applications() override { return windows_; }

private:
    std::unique_ptr<WaylandConnection> connection_;
    std::unique_ptr<DataControlSelection> selection_;
    std::unique_ptr<ToplevelTracker> toplevels_;
    std::unique_ptr<PointerLocator> locator_;
    WaylandScreen screen_;
    WaylandInput input_;
    WaylandApplicationWindows windows_;
};

} // namespace

std::unique_ptr<Platform> createWaylandPlatform(std::unique_ptr<Platform> x11)
{
    auto connection = std::make_unique<WaylandConnection>();
    if (!connection->isOpen()) {
        std::fputs("Quillora: cannot reach the Wayland compositor; only XWayland applications are watched.\n", stderr);
        return x11;
    }
    auto selection = std::make_unique<DataControlSelection>(*connection);
    auto toplevels = createToplevelTracker(*connection);
    if (!selection->isAvailable() || !toplevels) {
        std::fputs("Quillora: this Wayland compositor does not let programs see the selection or the active window "
                   "(no data-control or window list); only XWayland applications are watched.\n",
                   stderr);
        return x11;
    }
    return std::make_unique<WaylandPlatform>(std::move(x11), std::move(connection), std::move(selection),
                                             std::move(toplevels));
}

} // namespace platform::wayland
