#pragma once
// The one interface between the portable program and the desktop it runs on.
// Each facet groups the operations of one platform area; a back end (x11/, fake/)
// implements every facet. Portable code includes only these headers.

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Screen.h"
#include "platform/Session.h"
#include "platform/SettingsStore.h"

namespace platform {

class api {
public:
    virtual ~api() = default;

    virtual Screen& screen() = 0;
    virtual Files& files() = 0;
    virtual SettingsStore& store() = 0;
    virtual Session& session() = 0;
    virtual Clock& clock() = 0;
};

} // namespace platform
