#pragma once
// The road of one translation, assembled: the per-application switch, the selection
// watcher on selectionWatch, the capture, the request and the result timers, wired to the
// popup, the tray and the service page.

#include "capture/SelectedTextCapture.h"
#include "capture/SelectionWatcher.h"
#include "core/PerApplicationSwitch.h"
#include "service/ResultPolling.h"
#include "service/TranslationRequest.h"

#include <QObject>

class MainWindow;
class Popup;
class ServicePage;
class TrayIcon;
namespace platform {
class Platform;
}

class TranslationPipeline : public QObject {
    Q_OBJECT
public:
    TranslationPipeline(AppState& state, platform::Platform& platform, MainWindow& main, Popup& popup, ServicePage& page,
                        TrayIcon& tray);

    PerApplicationSwitch& appSwitch() { return switch_; }
    SelectionWatcher& watcher() { return watcher_; }
    SelectedTextCapture& capture() { return capture_; }
    TranslationRequest& request() { return request_; }
    ResultPolling& polling() { return polling_; }

    // Translation flipped for the current application and saved (tray and menu).
    void toggleTranslation();

private:
    SelectionWatcher::Actions watcherActions(Popup& popup);

    AppState& state_;
    platform::Platform& platform_;
    PerApplicationSwitch switch_;
    SelectedTextCapture capture_;
    TranslationRequest request_;
    ResultPolling polling_;
    SelectionWatcher watcher_;
};
