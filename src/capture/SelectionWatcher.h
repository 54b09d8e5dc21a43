#pragma once
// Decides, from where the primary button went down and came up and how fast two
// releases followed each other, whether the user has just finished selecting text.
// It learns of presses and releases from the platform's events as they happen; where
// the platform cannot deliver them, a 50 ms tick samples the buttons instead. Where no
// client sees the buttons at all (Wayland), a selection is finished once the primary
// selection has stayed the same for a short settle time; where the platform reports
// both the selection's changes and the buttons (GNOME), once it has changed and the
// primary button is up.

#include "common/AppSettings.h"
#include "common/Timer.h"
#include "platform/Input.h"

#include <QPoint>
#include <cstdint>
#include <functional>
#include <optional>

namespace platform {
class Platform;
}

class SelectionWatcher {
public:
    // Told whether a finished selection led to a request (a text was captured).
    using Handled = std::function<void(bool handled)>;

    // What the watcher asks of the rest of the program.
    struct Actions {
        // Examines the application in front: true when selections there are watched
        // (it is not excluded and translation is on for it).
        std::function<bool()> watchesForeground;
        // The foreground window may have changed: it is examined afresh next time,
        // even when its id is the one seen last (a new window can get the id of one
        // that closed).
        std::function<void()> foregroundChanged;
        // The pointer lies over the shown popup or floating icon.
        std::function<bool()> cursorOverPopupOrIcon;
        std::function<void()> hidePopup;
        // Starts a translation of the selection that ended at (x, y).
        std::function<void(int x, int y, int selectionLeft, Handled handled)> translateSelection;
        std::function<void(int x, int y)> openPopup;
        // The primary button has just gone down (the capture compares the selection
        // against this moment): the press's own time, 0 when it was sampled.
        std::function<void(std::uint32_t eventTimeMs)> primaryPressed;
    };

    static constexpr int TickMs = 50;
    // How long a new primary selection must stay unchanged to count as finished:
    // some applications change it with every step of a drag.
    static constexpr int SettleMs = 200;
    // The pause before a double click's selection is copied, while the application
    // takes the word.
    static constexpr int DoubleClickPauseMs = 50;

    SelectionWatcher(platform::Platform& platform, Actions actions);

    // The trigger and the user's primary and secondary buttons, from the applied settings.
    void configure(TriggerMode trigger, Qt::MouseButton primary, Qt::MouseButton secondary);
    // Subscribes to the platform's foreground events and its button events, or its
    // selection changes where it cannot see the buttons. Where it delivers neither,
    // the 50 ms tick samples them. Safe to call once only.
    void start();
    // The tick samples the buttons (the platform does not deliver their events).
    bool isTicking() const { return tick_.isEnabled(); }
    // No button is seen: selections are finished by the selection's own changes, and
    // "click near the end" cannot be seen, so the icon stands in for it.
    bool buttonsUnseen() const { return buttonsUnseen_; }
    // The trigger as it works here.
    TriggerMode trigger() const;

    // The primary selection changed (false: it was cleared).
    void onSelectionChanged(bool selected);
    // A press or release of a physical button.
    void onButtonEvent(const platform::Input::ButtonEvent& event);
    // One tick of the sampling: reads the buttons.
    void onWatchTick();

    // Where the last selection ended, for the click near it that opens the popup in
    // "click near the end"; nothing while there is none.
    std::optional<QPoint> actionPoint() const { return actionPoint_; }
    // When the last release came (seconds since midnight), for the double-click rule.
    double lastReleaseTime() const { return lastReleaseTime_; }

private:
    void primaryChanged(bool down, QPoint pointer, double seconds, std::uint32_t eventTimeMs, bool handle);
    void secondaryPressed();
    void handleRelease(int x, int y, double seconds);
    void finishSelection(int x, int y, int selectionLeft);
    void onSelectionSettled();
    void hideUnlessOverPopup();

    platform::Platform& platform_;
    Actions actions_;
    TriggerMode trigger_ = TriggerMode::ClickIcon;
    Qt::MouseButton primary_ = Qt::LeftButton;
    Qt::MouseButton secondary_ = Qt::RightButton;
    bool buttonsUnseen_ = false;

    bool primaryWasDown_ = false;
    QPoint down_;
    std::optional<QPoint> actionPoint_;
    double lastReleaseTime_ = 0;
    QPoint lastRelease_;
    // The primary button went down over the program's own popup or icon: what the user
    // does there (selecting part of a translation, a click on the close mark) is no
    // selection in the application behind.
    bool pressedOnOwnWindow_ = false;
    // The platform reports the primary selection's changes (Wayland sessions), and with
    // the buttons seen as well: it changed while the primary button was down.
    bool selectionFromChanges_ = false;
    bool changedWhileHeld_ = false;
    // A double click's selection, taken once the pause is over.
    QPoint doubleClickEnd_;
    int doubleClickLeft_ = 0;

    Timer tick_;
    Timer settle_;
    Timer doubleClickPause_;
};
