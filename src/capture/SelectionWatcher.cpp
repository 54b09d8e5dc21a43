#include "capture/SelectionWatcher.h"

#include "common/NumberText.h"
#include "platform/Platform.h"

#include <cstdlib>

SelectionWatcher::SelectionWatcher(AppState& state, platform::Platform& platform, Actions actions)
    : state_(state), platform_(platform), actions_(std::move(actions))
{
    selectionSettle.setInterval(SettleMs);
    QObject::connect(&selectionSettle, &Timer::timeout, [this] { onSelectionSettled(); });
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
    return state_.controlMode();
}

void SelectionWatcher::hideUnlessOverPopup()
{
    if (!actions_.cursorOverPopupOrIcon())
        actions_.hidePopup();
}

bool SelectionWatcher::watchEvents()
{
    // Foreground first: with buttons delivered but no foreground changes, the tick
    // would still be needed and the buttons would be handled twice.
    if (!platform_.windows().deliverForegroundChanges([this] { onButtonEvent({}); }))
        return false;
    if (platform_.windows().deliverSelectionChanges([this](bool selected) { onSelectionChanged(selected); })) {
        // Where the buttons are seen too, a change finishes a selection once the primary
        // button is up, and the clicks act as they do elsewhere.
        selectionFromChanges_ = true;
        state_.buttonsUnseen =
            !platform_.input().deliverButtonEvents([this](const auto& event) { onButtonEvent(event); });
        return true;
    }
    return platform_.input().deliverButtonEvents([this](const auto& event) { onButtonEvent(event); });
}

void SelectionWatcher::onSelectionChanged(bool selected)
{
    // Each change starts the settle time again; a cleared selection ends it.
    selectionSettle.setEnabled(false);
    if (!selected || !watching())
        return;
    // A new selection is on its way: what showed the last one goes, as a press would.
    hideUnlessOverPopup();
    if (state_.buttonsUnseen) {
        selectionSettle.setEnabled(true);
        return;
    }
    // Applications change the selection during a drag and at its release: finished
    // now, or at the release that is still to come.
    if (primaryWasDown || isButtonDown(state_.primaryButton))
        changedWhileHeld_ = true;
    else
        onSelectionSettled();
}

void SelectionWatcher::onSelectionSettled()
{
    selectionSettle.setEnabled(false);
    if (handlingEvent_) {
        // The capture of the last one lets the event loop run: this one waits for it.
        selectionSettle.setEnabled(true);
        return;
    }
    if (!watching())
        return;
    handlingEvent_ = true;
    const QPoint pointer = platform_.input().locatePointer();
    // A click near its end can only be seen where the buttons are.
    finishSelection(state_.buttonsUnseen ? QPoint() : pointer, pointer, pointer.x());
    handlingEvent_ = false;
    handlePending();
}

int SelectionWatcher::buttonNumberOf(int inputButton)
{
    switch (inputButton) {
    case platform::Input::LeftButton: return 1;
    case platform::Input::RightButton: return 2;
    case platform::Input::MiddleButton: return 3;
    default: return 0;
    }
}

bool SelectionWatcher::watching()
{
    return actions_.checkForegroundApp() && state_.translationEnabled && actions_.watchActive();
}

void SelectionWatcher::onWatchTick()
{
    if (!watching())
        return;

    // Both buttons from one read; the pointer is asked only when a button changed.
    const platform::Input::Buttons buttons = platform_.input().buttons();
    const bool primary = isDown(buttons, state_.primaryButton);
    if (primary != primaryWasDown)
        primaryChanged(primary, platform_.input().cursorPos(), platform_.clock().secondsSinceMidnight(), 0);
    if (isDown(buttons, state_.secondaryButton))
        secondaryPressed();
}

void SelectionWatcher::onButtonEvent(const platform::Input::ButtonEvent& event)
{
    pendingEvents_.push_back(event);
    handlePending();
}

void SelectionWatcher::handlePending()
{
    if (handlingEvent_)
        return;
    handlingEvent_ = true;
    while (!pendingEvents_.empty()) {
        const platform::Input::ButtonEvent next = pendingEvents_.front();
        pendingEvents_.pop_front();
        handleEvent(next);
    }
    handlingEvent_ = false;
}

void SelectionWatcher::handleEvent(const platform::Input::ButtonEvent& event)
{
    // The platform says the foreground changed: examined afresh even when the
    // window's id is the one seen last, since a new window can get the id of one
    // that closed.
    if (event.button == 0)
        state_.lastForegroundWindow = 0;
    if (!watching())
        return;
    const int button = buttonNumberOf(event.button);
    if (button == 0)
        return;
    if (button == state_.primaryButton && event.down != primaryWasDown)
        primaryChanged(event.down, event.position, event.timeMs / 1000.0, event.timeMs);
    if (button == state_.secondaryButton && event.down)
        secondaryPressed();
}

void SelectionWatcher::primaryChanged(bool down, QPoint pointer, double seconds, std::uint32_t eventTimeMs)
{
    // Stored first, so that a tick running while this one waits inside the request
    // sees no change.
    primaryWasDown = down;
    if (down) {
        hideUnlessOverPopup();
        downX = pointer.x();
        downY = pointer.y();
        if (actions_.primaryPressed)
            actions_.primaryPressed(eventTimeMs);
    } else {
        handleRelease(pointer.x(), pointer.y(), seconds);
    }
}

void SelectionWatcher::secondaryPressed()
{
    actionX = 0;
    actionY = 0;
    hideUnlessOverPopup();
}

void SelectionWatcher::handleRelease(int x, int y, double now)
{
    // A clock that wrapped (midnight, or the event clock's 32 bits) gives no double click.
    const double sinceLast = now - lastReleaseTime;
    const bool doubleClick =
        sinceLast > 0 && sinceLast < 1 && std::abs(lastReleaseX - x) + std::abs(lastReleaseY - y) < 16;
    lastReleaseTime = now;

    const int mode = controlMode();
    if (mode == 1 && std::abs(actionX - x) < 20 && std::abs(actionY - y) < 20) {
        actionX = 0;
        actionY = 0;
        actions_.openPopup(x, y);
    } else if (selectionFromChanges_ ? !changedWhileHeld_
                                     : std::abs(downX - x) <= 30 && std::abs(downY - y) <= 10 && !doubleClick) {
        actionX = 0;
        actionY = 0;
    } else {
        if (doubleClick)
            platform_.clock().sleepMs(50);
        finishSelection({x, y}, {x, y}, downX < x ? downX : x);
    }
    changedWhileHeld_ = false;
    lastReleaseX = x;
    lastReleaseY = y;
}

void SelectionWatcher::finishSelection(QPoint action, QPoint at, int selectionLeft)
{
    actionX = action.x();
    actionY = action.y();
    if (actions_.translateSelection(at.x(), at.y(), selectionLeft) && controlMode() == 3)
        actions_.openPopup(at.x(), at.y());
}
