#pragma once
// Decides, from where the primary button went down and came up and how fast two
// releases followed each other, whether the user has just finished selecting text.
// It learns of presses and releases from the platform's events as they happen; where
// the platform cannot deliver them, a 50 ms tick samples the buttons instead. Where no
// client sees the buttons at all (Wayland), a selection is finished once the primary
// selection has stayed the same for a short settle time; where the platform reports
// both the selection's changes and the buttons (GNOME), once it has changed and the
// primary button is up.

#include "common/AppState.h"
#include "common/Timer.h"
#include "platform/Input.h"

#include <QPoint>
#include <cstdint>
#include <deque>
#include <functional>

namespace platform {
class Platform;
}

class SelectionWatcher {
public:
    // What a tick may ask of the rest of the program.
    struct Actions {
        // Examines the foreground application; false ends the tick.
        std::function<bool()> checkForegroundApp;
        // The foreground application may be watched (not excluded).
        std::function<bool()> watchActive;
        // The pointer lies over the popup or the floating icon.
        std::function<bool()> cursorOverPopupOrIcon;
        std::function<void()> hidePopup;
        // Starts a translation of the selection that ended at (x, y); true when a
        // non-empty text was captured and handled.
        std::function<bool(int x, int y, int selectionLeft)> translateSelection;
        std::function<void(int x, int y)> openPopup;
        // The primary button has just gone down (the capture compares the selection
        // against this moment): the press's own time, 0 when it was sampled.
        std::function<void(std::uint32_t eventTimeMs)> primaryPressed;
    };

    // How long a new primary selection must stay unchanged to count as finished:
    // some applications change it with every step of a drag.
    static constexpr int SettleMs = 200;

    SelectionWatcher(AppState& state, platform::Platform& platform, Actions actions);

    // Subscribes to the platform's foreground events and its button events, or its
    // selection changes where it cannot see the buttons. True when it delivers both,
    // and the tick is then not needed; safe to call once only.
    bool watchEvents();
    // The primary selection changed (false: it was cleared).
    void onSelectionChanged(bool selected);
    // The last selection change has settled: the selection is finished.
    void onSelectionSettled();
    // One tick of selectionWatch: samples the buttons.
    void onWatchTick();
    // A press or release, or (button 0) a change of the foreground window. Events
    // that arrive while one is handled (the capture lets the event loop run) wait
    // their turn, so each sees the state the one before it left.
    void onButtonEvent(const platform::Input::ButtonEvent& event);
    // True while the button (1 primary-left, 2 right, 3 middle) is physically down.
    bool isButtonDown(int button);

    bool primaryWasDown = false;
    int downX = 0, downY = 0;
    int actionX = 0, actionY = 0;
    double lastReleaseTime = 0;
    int lastReleaseX = 0, lastReleaseY = 0;
    // Runs SettleMs after the last selection change.
    Timer selectionSettle;

private:
    static bool isDown(const platform::Input::Buttons& buttons, int button);
    // The program's button number (1 left, 2 right, 3 middle) of an Input button.
    static int buttonNumberOf(int inputButton);
    // The foreground check and the switches that decide whether anything is watched.
    bool watching();
    void handleEvent(const platform::Input::ButtonEvent& event);
    // Handles the queued events unless one is being handled.
    void handlePending();
    // The primary button changed; seconds: the moment, for the double-click rule.
    void primaryChanged(bool down, QPoint pointer, double seconds, std::uint32_t eventTimeMs);
    void secondaryPressed();
    void handleRelease(int x, int y, double seconds);
    // Translates the selection that ended at `at`; a click near `action` (a null point:
    // none) opens it in mode 1.
    void finishSelection(QPoint action, QPoint at, int selectionLeft);
    int controlMode();
    void hideUnlessOverPopup();

    AppState& state_;
    platform::Platform& platform_;
    Actions actions_;
    std::deque<platform::Input::ButtonEvent> pendingEvents_;
    bool handlingEvent_ = false;
    // The platform reports the primary selection's changes (Wayland sessions).
    bool selectionFromChanges_ = false;
    // With the buttons seen as well: it changed while the primary button was down.
    bool changedWhileHeld_ = false;
};
