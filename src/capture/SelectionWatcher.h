#pragma once
// The program's main loop: every 50 ms it samples the mouse buttons and decides,
// from where the primary button went down and came up and how fast two releases
// followed each other, whether the user has just finished selecting text.

#include "common/AppState.h"
#include "platform/Input.h"

#include <QPoint>
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
        // against this moment).
        std::function<void()> primaryPressed;
    };

    SelectionWatcher(AppState& state, platform::Platform& platform, Actions actions);

    // One tick of selectionWatch.
    void onWatchTick();
    // True while the button (1 primary-left, 2 right, 3 middle) is physically down.
    bool isButtonDown(int button);

    bool primaryWasDown = false;
    int downX = 0, downY = 0;
    int actionX = 0, actionY = 0;
    double lastReleaseTime = 0;
    int lastReleaseX = 0, lastReleaseY = 0;

private:
    static bool isDown(const platform::Input::Buttons& buttons, int button);
    void handleRelease(int x, int y);
    int controlMode();
    void hideUnlessOverPopup();

    AppState& state_;
    platform::Platform& platform_;
    Actions actions_;
};
