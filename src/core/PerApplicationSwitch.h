#pragma once
// Translation on or off per application, identified by its executable's file name
// and remembered in the per-user store. Follows the foreground application.

#include "core/ProcessTable.h"
#include "platform/WindowHandle.h"

#include <QString>
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
        // The menu's switch item may have become usable or unusable.
        std::function<void()> refreshEnableItem;
    };

    explicit PerApplicationSwitch(platform::Platform& platform);
    ~PerApplicationSwitch();

    void setTrayView(TrayView view) { tray_ = std::move(view); }

    // Switches translation for the current application; save also stores the choice.
    void setTranslationEnabled(bool enabled, bool save);
    // Examines a new foreground window. False: an excluded application (none, the
    // desktop shell, this program) is in front.
    bool checkForegroundApplication();
    // The foreground window is examined afresh next time, even with the id seen last.
    void forgetForeground() { lastForeground_ = 0; }
    // Examines the foreground: selections there are watched (not excluded, and
    // translation on for it).
    bool watchesForeground() { return checkForegroundApplication() && enabled_ && watchActive_; }

    bool translationEnabled() const { return enabled_; }
    // The foreground application's name ("" before the first one was examined).
    QString currentApplication() const { return current_; }
    // The foreground window belongs to an application that is not excluded.
    bool watchActive() const { return watchActive_; }

    // The stored switch of an application: "-1", "1" or any non-zero number is on;
    // "0", an absent row and text that is no number are off.
    bool storedRow(const QString& exeName);
    // "Disable" or "Enable", " in ", the application.
    static QString enableCaption(bool enabled, const QString& app);
    bool isExcluded(const QString& exeName) const;

private:
    platform::Platform& platform_;
    std::unique_ptr<ProcessTable> processes_;
    TrayView tray_;
    QString storeApplication_;
    QStringList excluded_;

    bool enabled_ = false;
    bool watchActive_ = false;
    QString current_;
    WindowHandle lastForeground_ = 0;
};
