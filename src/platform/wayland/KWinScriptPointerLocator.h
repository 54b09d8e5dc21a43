#pragma once
#include "platform/wayland/PointerLocator.h"

#include <memory>

class QTemporaryFile;

namespace platform::wayland {

class KWinCursorReports;

// Finds the pointer on KWin: a small KWin script, loaded once through KWin's scripting
// service on the session bus, reads the pointer position and reports it back over the
// bus whenever it is asked to. A locate costs one message to the script and its answer;
// while it waits for them, the event loop runs (the bus delivers calls through it).
class KWinScriptPointerLocator : public PointerLocator {
public:
    KWinScriptPointerLocator();
    ~KWinScriptPointerLocator() override;

    // KWin's scripting service is on the session bus.
    static bool isAvailable();

    std::optional<QPoint> locate(int timeoutMs) override;
    // Once the script runs, a locate is a message to KWin and one back, well under a
    // millisecond, and changes nothing on the desktop.
    bool followsCheaply() const override { return true; }

private:
    std::optional<QPoint> locateAfresh(int timeoutMs);
    // Loads and starts the script; false when KWin refused or did not answer in time.
    bool startScript(int timeoutMs);
    void unloadScript();

    std::unique_ptr<KWinCursorReports> reports_;
    std::unique_ptr<QTemporaryFile> script_;
    bool registered_ = false;
    bool scriptRunning_ = false;
    // A locate waits in an event loop of its own, where a timer may ask again.
    bool locating_ = false;
};

} // namespace platform::wayland
