#pragma once
// The road of one translation, assembled: the per-application switch, the selection
// watcher on the platform's events (or its 50 ms tick), the capture, the request and
// the result timers, wired to the popup, the tray and the service page.

#include "capture/SelectedTextCapture.h"
#include "capture/SelectionWatcher.h"
#include "core/PerApplicationSwitch.h"
#include "service/ResultPolling.h"
#include "service/TranslationRequest.h"

#include <QObject>

struct ProgramTimers;
class Popup;
class ServicePage;
class TrayIcon;
class TrayMenu;
namespace platform {
class Platform;
}

class TranslationPipeline : public QObject {
    Q_OBJECT
public:
    // clipboardOwner: the program's window that owns the clipboard while it writes it.
    TranslationPipeline(AppState& state, platform::Platform& platform, ProgramTimers& timers,
                        WindowHandle clipboardOwner, Popup& popup, ServicePage& page, TrayIcon& tray,
                        TrayMenu& menu);

    PerApplicationSwitch& appSwitch() { return switch_; }
    SelectionWatcher& watcher() { return watcher_; }
    SelectedTextCapture& capture() { return capture_; }
    TranslationRequest& request() { return request_; }
    ResultPolling& polling() { return polling_; }
    // The watcher learns of presses and releases from events: its tick is not needed.
    bool watcherUsesEvents() const { return watcherUsesEvents_; }

    // Translation flipped for the current application and saved (tray and menu).
    void toggleTranslation();

private:
    SelectionWatcher::Actions watcherActions(Popup& popup);
    static TranslationView viewOf(Popup& popup);

    AppState& state_;
    platform::Platform& platform_;
    PerApplicationSwitch switch_;
    SelectedTextCapture capture_;
    TranslationRequest request_;
    ResultPolling polling_;
    SelectionWatcher watcher_;
    bool watcherUsesEvents_ = false;
};
