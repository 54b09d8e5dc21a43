#include "capture/SelectionWatcher.h"

#include "platform/Platform.h"

#include <cstdlib>
#include <utility>

SelectionWatcher::SelectionWatcher(platform::Platform& platform, Actions actions)
    : platform_(platform)
    , actions_(std::move(actions))
    , tick_(platform.clock())
    , settle_(platform.clock())
    , doubleClickPause_(platform.clock())
{
    tick_.setInterval(TickMs);
    QObject::connect(&tick_, &Timer::timeout, [this] { onWatchTick(); });
    settle_.setInterval(SettleMs);
    settle_.setSingleShot(true);
    QObject::connect(&settle_, &Timer::timeout, [this] { onSelectionSettled(); });
    doubleClickPause_.setInterval(DoubleClickPauseMs);
    doubleClickPause_.setSingleShot(true);
    QObject::connect(&doubleClickPause_, &Timer::timeout,
                     [this] { finishSelection(doubleClickEnd_.x(), doubleClickEnd_.y(), doubleClickLeft_); });
}

void SelectionWatcher::configure(TriggerMode trigger, Qt::MouseButton primary, Qt::MouseButton secondary)
{
    trigger_ = trigger;
    primary_ = primary;
    secondary_ = secondary;
}

TriggerMode SelectionWatcher::trigger() const
{
    return trigger_ == TriggerMode::ClickNearEnd && buttonsUnseen_ ? TriggerMode::ClickIcon : trigger_;
}

void SelectionWatcher::start()
{
    // Foreground first: with buttons delivered but no foreground changes, the tick
    // would still be needed and the buttons would be handled twice.
    if (platform_.applications().deliverForegroundChanges([this] { actions_.foregroundChanged(); })) {
        if (platform_.applications().deliverSelectionChanges([this](bool selected) { onSelectionChanged(selected); })) {
            // Where the buttons are seen too, a change finishes a selection once the
            // primary button is up, and the clicks act as they do elsewhere.
            selectionFromChanges_ = true;
            buttonsUnseen_ =
                !platform_.input().deliverButtonEvents([this](const auto& event) { onButtonEvent(event); });
            return;
        }
        if (platform_.input().deliverButtonEvents([this](const auto& event) { onButtonEvent(event); }))
            return;
    }
    tick_.setEnabled(true);
}

void SelectionWatcher::hideUnlessOverPopup()
{
    if (!actions_.cursorOverPopupOrIcon())
        actions_.hidePopup();
}

void SelectionWatcher::onSelectionChanged(bool selected)
{
    // Each change starts the settle time again; a cleared selection ends it. Text
    // selected in the popup itself is the user's business with the translation.
    settle_.setEnabled(false);
    if (!selected || actions_.cursorOverPopupOrIcon() || !actions_.watchesForeground())
        return;
    // A new selection is on its way: what showed the last one goes, as a press would.
    actions_.hidePopup();
    if (buttonsUnseen_) {
        settle_.setEnabled(true);
        return;
    }
    // Applications change the selection during a drag and at its release: finished
    // now, or at the release that is still to come.
    if (primaryWasDown_ || platform_.input().buttons().testFlag(primary_))
        changedWhileHeld_ = true;
    else
        onSelectionSettled();
}

void SelectionWatcher::onSelectionSettled()
{
    if (!actions_.watchesForeground())
        return;
    const QPoint pointer = platform_.input().locatePointer();
    // A click near its end can only be seen where the buttons are.
    if (buttonsUnseen_)
        actionPoint_.reset();
    else
        actionPoint_ = pointer;
    finishSelection(pointer.x(), pointer.y(), pointer.x());
}

void SelectionWatcher::onWatchTick()
{
    // The buttons are followed also while nothing is watched, so that a press made
    // there never pairs with a release made here. The pointer is asked only when a
    // button changed.
    const bool watched = actions_.watchesForeground();
    const Qt::MouseButtons buttons = platform_.input().buttons();
    const bool primary = buttons.testFlag(primary_);
    if (primary != primaryWasDown_)
        primaryChanged(primary, platform_.input().cursorPos(), platform_.clock().secondsSinceMidnight(), 0, watched);
    if (buttons.testFlag(secondary_))
        secondaryPressed();
}

void SelectionWatcher::onButtonEvent(const platform::Input::ButtonEvent& event)
{
    const bool watched = actions_.watchesForeground();
    if (event.button == primary_ && event.down != primaryWasDown_)
        primaryChanged(event.down, event.position, event.timeMs / 1000.0, event.timeMs, watched);
    if (event.button == secondary_ && event.down)
        secondaryPressed();
}

void SelectionWatcher::primaryChanged(bool down, QPoint pointer, double seconds, std::uint32_t eventTimeMs,
                                      bool handle)
{
    primaryWasDown_ = down;
    if (down) {
        // A press anywhere else closes the popup, whichever application is in front.
        pressedOnOwnWindow_ = actions_.cursorOverPopupOrIcon();
        if (!pressedOnOwnWindow_)
            actions_.hidePopup();
        down_ = pointer;
        if (actions_.primaryPressed)
            actions_.primaryPressed(eventTimeMs);
    } else if (std::exchange(pressedOnOwnWindow_, false)) {
        // Neither a selection nor the first half of a double click.
        lastReleaseTime_ = 0;
    } else if (handle) {
        handleRelease(pointer.x(), pointer.y(), seconds);
    }
}

void SelectionWatcher::secondaryPressed()
{
    actionPoint_.reset();
    hideUnlessOverPopup();
}

void SelectionWatcher::handleRelease(int x, int y, double now)
{
    // A clock that wrapped (midnight, or the event clock's 32 bits) gives no double click.
    const double sinceLast = now - lastReleaseTime_;
    const bool doubleClick = sinceLast > 0 && sinceLast < 1 &&
                             std::abs(lastRelease_.x() - x) + std::abs(lastRelease_.y() - y) < 16;
    lastReleaseTime_ = now;
    lastRelease_ = QPoint(x, y);

    const bool nearAction =
        actionPoint_ && std::abs(actionPoint_->x() - x) < 20 && std::abs(actionPoint_->y() - y) < 20;
    const int selectionLeft = down_.x() < x ? down_.x() : x;
    // Where the selection's changes are seen, they tell whether the press made one.
    const bool plainClick = selectionFromChanges_
                                ? !std::exchange(changedWhileHeld_, false)
                                : std::abs(down_.x() - x) <= 30 && std::abs(down_.y() - y) <= 10 && !doubleClick;
    if (trigger() == TriggerMode::ClickNearEnd && nearAction) {
        actionPoint_.reset();
        actions_.openPopup(x, y);
    } else if (plainClick) {
        actionPoint_.reset();
    } else if (doubleClick) {
        actionPoint_ = QPoint(x, y);
        doubleClickEnd_ = QPoint(x, y);
        doubleClickLeft_ = selectionLeft;
        doubleClickPause_.restart();
    } else {
        actionPoint_ = QPoint(x, y);
        finishSelection(x, y, selectionLeft);
    }
}

void SelectionWatcher::finishSelection(int x, int y, int selectionLeft)
{
    actions_.translateSelection(x, y, selectionLeft, [this, x, y](bool handled) {
        // A selection that gave no request leaves nothing for a click to open.
        if (!handled) {
            if (actionPoint_ == QPoint(x, y))
                actionPoint_.reset();
        } else if (trigger() == TriggerMode::JustSelect) {
            actions_.openPopup(x, y);
        }
    });
}
