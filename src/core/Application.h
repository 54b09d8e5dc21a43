#pragma once
// Start-up, applying the settings, and ending the program.

#include "config/mdlINI.h"
#include "core/AppState.h"

#include <QObject>
#include <memory>

namespace platform {
class api;
}
class frmMain;

class Application : public QObject {
    Q_OBJECT
public:
    explicit Application(platform::api& api);
    ~Application() override;

    // Starts the program: false when another instance already runs (the caller then
    // ends quietly); otherwise the settings are loaded and applied and the program
    // lives on its timers from here on.
    bool Main();
    // Makes the settings table take effect. Safe to repeat.
    void ApplySettings();
    // Exit: without "/t" on the command line the process ends at once; with it the
    // tray icon is removed first and the program ends normally.
    void mnuExit_Click();

    void GetWindowsVersion();
    bool MouseButtonsSwapped();

    AppState& state() { return state_; }
    mdlINI& ini() { return ini_; }
    // Null until ApplySettings has loaded the forms.
    frmMain* mainForm() { return frmMain_.get(); }

    // Program version as major.minor.revision.
    static QString programVersion();
    // The browser executables whose rows every apply switches on.
    QStringList browserRows();

private:
    void seedBrowserRows();
    void loadForms();
    void armTimers();
    // A whole-seconds setting as a timer interval: unreadable or negative is 0 (off),
    // fractions are kept to the millisecond, and the top is the longest interval.
    int secondsSettingAsInterval(const QString& key);

    platform::api& api_;
    AppState state_;
    mdlINI ini_;
    std::unique_ptr<frmMain> frmMain_;
};
