#pragma once
#include "platform/Platform.h"

namespace platform::x11 {

// The X11 back end on the display Qt uses (DISPLAY). Needs a running QApplication.
std::unique_ptr<Platform> createX11Platform();

} // namespace platform::x11
