#pragma once
// The road of one translation, assembled: the per-application switch, the selection
// watcher on the platform's events (or its 50 ms tick), the capture and the request,
// wired to the popup, the tray, the connection and the service page.

#include "capture/SelectedTextCapture.h"
#include "capture/SelectionWatcher.h"
#include "core/PerApplicationSwitch.h"
#include "service/TranslationRequest.h"

#include <QObject>

class Connection;
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
    TranslationPipeline(platform::Platform& platform, Popup& popup, ServicePage& page, Connection& connection,
                        TrayIcon& tray, TrayMenu& menu);

    // The applied settings: the trigger, the buttons, the request's texts and time-out.
    void configure(const AppSettings& settings);

    PerApplicationSwitch& appSwitch() { return switch_; }
    SelectionWatcher& watcher() { return watcher_; }
    SelectedTextCapture& capture() { return capture_; }
    TranslationRequest& request() { return request_; }

    // Translation flipped for the current application and saved (tray and menu).
    void toggleTranslation();
    // The primary selection, whoever made it, translated in a popup at the pointer
    // whatever the application in front (the user asked for it): false when there is
    // no text to translate.
    bool translatePrimarySelection();

private:
    SelectionWatcher::Actions watcherActions(Popup& popup);
    TranslationView viewOf(Popup& popup);

    platform::Platform& platform_;
    Popup& popup_;
    PerApplicationSwitch switch_;
    SelectedTextCapture capture_;
    TranslationRequest request_;
    SelectionWatcher watcher_;
};
