#pragma once
// Start-up, applying the settings, and ending the program.

#include "config/SettingsFiles.h"
#include "common/AppState.h"
#include "service/ServicePage.h"

#include <QObject>
#include <memory>

namespace platform {
class Platform;
}
class MainWindow;
class Popup;
class Dialogs;
class TrayIcon;
class Connection;
class TranslationPipeline;
class TraceFile;

class Application : public QObject {
    Q_OBJECT
public:
    // page: the browser holding the service page.
    Application(platform::Platform& platform, std::unique_ptr<ServicePage> page);
    ~Application() override;

    // Starts the program: false when another instance already runs (the caller then
    // ends quietly); otherwise the settings are loaded and applied and the program
    // lives on its timers from here on.
    bool start();
    // Makes the settings table take effect. Safe to repeat.
    void applySettings();
    // Exit: without "/t" on the command line the process ends at once; with it the
    // tray icon is removed first and the program ends normally.
    void exitFromMenu();

    void readOsVersion();
    bool mouseButtonsSwapped();

    AppState& state() { return state_; }
    SettingsFiles& ini() { return ini_; }
    // The settings, language and about dialogs, and shellOpen.
    Dialogs& dialogs() { return *dialogs_; }
    // Null until applySettings has loaded the forms.
    MainWindow* mainForm() { return mainWindow_.get(); }
    // The translation popup, the floating icon and the shadow (showTranslation,
    // openPopup, hidePopup, isPointerOver, the windows and their labels).
    // Null until applySettings has loaded the forms.
    Popup* popup() { return popup_.get(); }
    ServicePage& servicePage() { return *page_; }
    // Null until applySettings has loaded the forms.
    TrayIcon* tray() { return tray_.get(); }
    Connection* connection() { return connection_.get(); }
    // The selection watcher, the capture, the request and the per-application switch.
    TranslationPipeline* pipeline() { return pipeline_.get(); }

    // Program version as major.minor.revision.
    static QString programVersion();
    // The browser executables whose rows every apply switches on.
    QStringList browserRows();

private:
    void seedBrowserRows();
    void loadForms();
    // Connects the forms' requests to the parts that carry them out.
    void connectForms();
    void armTimers();
    // A whole-seconds setting as a timer interval: unreadable or negative is 0 (off),
    // fractions are kept to the millisecond, and the top is the longest interval.
    int secondsSettingAsInterval(const QString& key);

    platform::Platform& platform_;
    AppState state_;
    SettingsFiles ini_;
    std::unique_ptr<ServicePage> page_;
    // The opt-in timing trace (QLR_TRACE_FILE); declared before the forms that write to it.
    std::unique_ptr<TraceFile> trace_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<Popup> popup_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<TranslationPipeline> pipeline_;
    std::unique_ptr<Dialogs> dialogs_;
};
