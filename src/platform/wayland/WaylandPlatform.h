#pragma once
#include "platform/Platform.h"

namespace platform::wayland {

// In a Wayland session: the selection, the active application and the pointer come
// from the compositor, everything else from the X11 back end (XWayland). Where the
// compositor offers no data-control, the X11 back end alone, with a note on stderr.
std::unique_ptr<Platform> createWaylandPlatform(std::unique_ptr<Platform> x11);

} // namespace platform::wayland
