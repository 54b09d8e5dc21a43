// Builds without the Wayland back end: every session is an X11 one.
#include "platform/x11/X11Platform.h"

namespace platform {

bool prepareSession()
{
    return true;
}

std::unique_ptr<Platform> createPlatform()
{
    return x11::createX11Platform();
}

} // namespace platform
