#pragma once
// The application core: start-up, applying the settings, and ending the program.
// It owns the parts (settings files, windows, tray, page connection, translation
// pipeline, dialogs) and wires each one's requests to the part that carries them out;
// the parts themselves know only the shared pieces in common/ and the platform.

#include "common/AppSettings.h"
#include "common/Settings.h"
#include "config/SettingsFiles.h"
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
class TrayMenu;
class Connection;
class TranslationPipeline;
class TranslationServer;
class TraceFile;

class Application : public QObject {
    Q_OBJECT
public:
    // page: the browser holding the service page.
    Application(platform::Platform& platform, std::unique_ptr<ServicePage> page);
    ~Application() override;

    // Starts the program: false when another instance already runs (the caller then
    // ends quietly); otherwise the settings are loaded and applied and the program
    // lives on its events and timers from here on.
    bool start();
    // --quit: ends the instance already running, as its Exit would. False when none ran.
    static bool quitRunningInstance(platform::Platform& platform);
    // --translate: asks the instance already running to translate the primary
    // selection at the pointer. False, with a line on the standard error, when none
    // runs or it did not take the request.
    static bool translateInRunningInstance(platform::Platform& platform);
    static constexpr const char* TranslateRequest = "translate";
    // Makes the settings table take effect. Safe to repeat.
    void applySettings();
    // Exit: without the argument "/t" (an argument of its own) the process ends at
    // once; with it the tray icon is removed first and the program ends normally.
    void exitFromMenu();

    Settings& settings() { return settings_; }
    // The settings as last applied.
    const AppSettings& appliedSettings() const { return applied_; }
    SettingsFiles& settingsFiles() { return settingsFiles_; }
    // The settings, language and about dialogs, and the desktop opener.
    Dialogs& dialogs() { return *dialogs_; }
    ServicePage& servicePage() { return *page_; }
    // The parts below are null until applySettings has created them.
    MainWindow* mainWindow() { return mainWindow_.get(); }
    TrayMenu* trayMenu() { return trayMenu_.get(); }
    TrayIcon* tray() { return tray_.get(); }
    // The translation popup, the floating icon and the shadow.
    Popup* popup() { return popup_.get(); }
    Connection* connection() { return connection_.get(); }
    // The selection watcher, the capture, the request and the per-application switch.
    TranslationPipeline* pipeline() { return pipeline_.get(); }
    // The page's own translation server.
    TranslationServer* server() { return server_.get(); }

    // Program version as major.minor.revision.
    static QString programVersion();
    // The browser executables whose rows every apply switches on.
    QStringList browserRows();

private:
    void seedBrowserRows();
    void tellRunningWithoutTray();
    void createParts();
    // Connects the parts' requests to the parts that carry them out.
    void connectParts();
    // Connects the page's own translation server to the connection and the tray.
    void connectServer();
    void showConnection();

    platform::Platform& platform_;
    Settings settings_;
    SettingsFiles settingsFiles_;
    AppSettings applied_;
    std::unique_ptr<ServicePage> page_;
    // The opt-in timing trace (QLR_TRACE_FILE); declared before the parts that write to it.
    std::unique_ptr<TraceFile> trace_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<TrayMenu> trayMenu_;
    std::unique_ptr<Popup> popup_;
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<TranslationServer> server_;
    std::unique_ptr<TranslationPipeline> pipeline_;
    std::unique_ptr<Dialogs> dialogs_;
    bool ending_ = false;
};
