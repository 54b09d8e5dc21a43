#include "capture/SelectionWatcher.h"

#include "core/NumberText.h"
#include "platform/api.h"

#include <cstdlib>

SelectionWatcher::SelectionWatcher(AppState& state, platform::api& api, Actions actions)
    : state_(state), api_(api), actions_(std::move(actions))
{
}

bool SelectionWatcher::IsButtonDown(int button)
{
    return isDown(api_.input().buttons(), button);
}

bool SelectionWatcher::isDown(const platform::Input::Buttons& buttons, int button)
{
    switch (button) {
    case 1:
        return buttons.isDown(platform::Input::VK_LBUTTON);
    case 2:
        return buttons.isDown(platform::Input::VK_RBUTTON);
    case 3:
        return buttons.isDown(platform::Input::VK_MBUTTON);
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

void SelectionWatcher::tmr1_Timer()
{
    if (!actions_.checkForegroundApp())
        return;
    if (!state_.TranslateEnabled || !actions_.watchActive())
        return;

    // Both buttons from one read; the pointer is asked only when a button changed.
    const platform::Input::Buttons buttons = api_.input().buttons();
    const bool primary = isDown(buttons, state_.btnPrimary);
    const bool secondary = isDown(buttons, state_.btnSecondary);

    if (primary != PrimaryWasDown) {
        // Stored first, so that a tick running while this one waits inside the
        // request sees no change.
        PrimaryWasDown = primary;
        const QPoint pointer = api_.input().cursorPos();
        if (primary) {
            hideUnlessOverPopup();
            DownX = pointer.x();
            DownY = pointer.y();
            if (actions_.primaryPressed)
                actions_.primaryPressed();
        } else {
            handleRelease(pointer.x(), pointer.y());
        }
    }

    if (secondary) {
        ActionX = 0;
        ActionY = 0;
        hideUnlessOverPopup();
    }
}

void SelectionWatcher::handleRelease(int x, int y)
{
    const double now = api_.clock().secondsSinceMidnight();
    const double sinceLast = now - LastReleaseTime;
    const bool doubleClick =
        sinceLast > 0 && sinceLast < 1 && std::abs(LastReleaseX - x) + std::abs(LastReleaseY - y) < 16;
    LastReleaseTime = now;

    const int mode = controlMode();
    if (mode == 1 && std::abs(ActionX - x) < 20 && std::abs(ActionY - y) < 20) {
        ActionX = 0;
        ActionY = 0;
        actions_.openPopup(x, y);
    } else if (std::abs(DownX - x) <= 30 && std::abs(DownY - y) <= 10 && !doubleClick) {
        ActionX = 0;
        ActionY = 0;
    } else {
        ActionX = x;
        ActionY = y;
        if (doubleClick)
            api_.clock().sleepMs(50);
        const int selectionLeft = DownX < x ? DownX : x;
        if (actions_.translateSelection(x, y, selectionLeft) && controlMode() == 3)
            actions_.openPopup(x, y);
    }
    LastReleaseX = x;
    LastReleaseY = y;
}
