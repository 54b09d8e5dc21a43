#pragma once
// Translation on or off per application, identified by its executable's file name
// and remembered in the per-user store. Follows the foreground application.

#include "common/AppState.h"
#include "core/ProcessTable.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace platform {
class Platform;
}

class PerApplicationSwitch {
public:
    // What the switch shows on the tray; set by the owner of the tray icon and menu.
    struct TrayView {
        std::function<void()> updateTrayIcon;
        std::function<void()> hideMenu;
        std::function<void(const QString& caption)> setEnableCaption;
        std::function<void(bool enabled)> setEnableItemEnabled;
    };

    // foregroundWindow and windowProcessId: the desktop's current foreground window
    // and the process owning a window.
    PerApplicationSwitch(AppState& state, platform::Platform& platform, std::function<WindowHandle()> foregroundWindow,
                         std::function<std::uint32_t(WindowHandle)> windowProcessId);
    ~PerApplicationSwitch();

    void setTrayView(TrayView view) { tray_ = std::move(view); }

    // Switches translation for the current application; save also stores the choice.
    void setTranslationEnabled(bool enabled, bool save);
    // Examines a new foreground window. False ends the watcher's tick: an excluded
    // application (none, the desktop shell, this program) is in front.
    bool checkForegroundApplication();

    // The foreground window belongs to an application that is not excluded.
    bool watchActive = false;

    // The stored switch of an application: "-1", "1" or any non-zero number is on;
    // "0", an absent row and text that is no number are off.
    bool storedRow(const QString& exeName);
    // "Disable" or "Enable", " in ", the application.
    static QString enableCaption(bool enabled, const QString& app);
    bool isExcluded(const QString& exeName) const;

private:
    AppState& state_;
    platform::Platform& platform_;
    std::function<WindowHandle()> foregroundWindow_;
    std::function<std::uint32_t(WindowHandle)> windowProcessId_;
    std::unique_ptr<ProcessTable> processes_;
    TrayView tray_;
    QString storeApplication_;
    QStringList excluded_;
};
