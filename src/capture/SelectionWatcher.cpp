#include "capture/SelectionWatcher.h"

#include "common/NumberText.h"
#include "platform/Platform.h"

#include <cstdlib>

SelectionWatcher::SelectionWatcher(AppState& state, platform::Platform& platform, Actions actions)
    : state_(state), platform_(platform), actions_(std::move(actions))
{
}

bool SelectionWatcher::isButtonDown(int button)
{
    return isDown(platform_.input().buttons(), button);
}

bool SelectionWatcher::isDown(const platform::Input::Buttons& buttons, int button)
{
    switch (button) {
    case 1:
        return buttons.isDown(platform::Input::LeftButton);
    case 2:
        return buttons.isDown(platform::Input::RightButton);
    case 3:
        return buttons.isDown(platform::Input::MiddleButton);
    default:
        return false;
    }
}

int SelectionWatcher::controlMode()
{
    // Read afresh at each use; anything but 1 and 3 acts as 2.
    const auto mode = state_.settings.number("ControlMode");
    if (mode && *mode == 1)
        return 1;
    if (mode && *mode == 3)
        return 3;
    return 2;
}

void SelectionWatcher::hideUnlessOverPopup()
{
    if (!actions_.cursorOverPopupOrIcon())
        actions_.hidePopup();
}

void SelectionWatcher::onWatchTick()
{
    if (!actions_.checkForegroundApp())
        return;
    if (!state_.translationEnabled || !actions_.watchActive())
        return;

    // Both buttons from one read; the pointer is asked only when a button changed.
    const platform::Input::Buttons buttons = platform_.input().buttons();
    const bool primary = isDown(buttons, state_.primaryButton);
    const bool secondary = isDown(buttons, state_.secondaryButton);

    if (primary != primaryWasDown) {
        // Stored first, so that a tick running while this one waits inside the
        // request sees no change.
        primaryWasDown = primary;
        const QPoint pointer = platform_.input().cursorPos();
        if (primary) {
            hideUnlessOverPopup();
            downX = pointer.x();
            downY = pointer.y();
            if (actions_.primaryPressed)
                actions_.primaryPressed();
        } else {
            handleRelease(pointer.x(), pointer.y());
        }
    }

    if (secondary) {
        actionX = 0;
        actionY = 0;
        hideUnlessOverPopup();
    }
}

void SelectionWatcher::handleRelease(int x, int y)
{
    const double now = platform_.clock().secondsSinceMidnight();
    const double sinceLast = now - lastReleaseTime;
    const bool doubleClick =
        sinceLast > 0 && sinceLast < 1 && std::abs(lastReleaseX - x) + std::abs(lastReleaseY - y) < 16;
    lastReleaseTime = now;

    const int mode = controlMode();
    if (mode == 1 && std::abs(actionX - x) < 20 && std::abs(actionY - y) < 20) {
        actionX = 0;
        actionY = 0;
        actions_.openPopup(x, y);
    } else if (std::abs(downX - x) <= 30 && std::abs(downY - y) <= 10 && !doubleClick) {
        actionX = 0;
        actionY = 0;
    } else {
        actionX = x;
        actionY = y;
        if (doubleClick)
            platform_.clock().sleepMs(50);
        const int selectionLeft = downX < x ? downX : x;
        if (actions_.translateSelection(x, y, selectionLeft) && controlMode() == 3)
            actions_.openPopup(x, y);
    }
    lastReleaseX = x;
    lastReleaseY = y;
}
