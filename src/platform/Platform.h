#pragma once
// The one interface between the portable program and the desktop it runs on.
// Each facet groups the operations of one platform area; a back end (x11/, wayland/,
// fake/) implements every facet. Portable code includes only these headers.

#include "platform/ApplicationWindows.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Input.h"
#include "platform/Keyboard.h"
#include "platform/Processes.h"
#include "platform/Screen.h"
#include "platform/Session.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"

#include <memory>

namespace platform {

class Platform {
public:
    virtual ~Platform() = default;

    virtual Screen& screen() = 0;
    virtual Files& files() = 0;
    virtual SettingsStore& store() = 0;
    virtual Session& session() = 0;
    virtual Clock& clock() = 0;
    virtual Shell& shell() = 0;
    virtual Input& input() = 0;
    virtual Processes& processes() = 0;
    virtual Clipboard& clipboard() = 0;
    virtual Keyboard& keyboard() = 0;
    // The other applications' windows.
    virtual ApplicationWindows& applications() = 0;
};

// Before the QApplication exists: makes Qt reach the display the program's windows
// need in this session. False, with a line on stderr, when the session cannot run it.
bool prepareSession();

// The back end for the session the program runs in, among those built in
// (CMakeLists.txt). Needs a running QApplication.
std::unique_ptr<Platform> createPlatform();

} // namespace platform
