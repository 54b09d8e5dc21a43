#pragma once
#include "platform/api.h"

#include <memory>

namespace platform {

// The desktop back end chosen at build time (see QLR_PLATFORM in CMakeLists.txt).
// Needs a running QApplication.
std::unique_ptr<api> createPlatform();

} // namespace platform
