#include "core/TranslationPipeline.h"

#include "common/ProgramTimers.h"
#include "core/TrayIcon.h"
#include "core/TrayMenu.h"
#include "platform/Platform.h"
#include "popup/Popup.h"

TranslationPipeline::TranslationPipeline(AppState& state, platform::Platform& platform, ProgramTimers& timers,
                                         WindowHandle clipboardOwner, Popup& popup, ServicePage& page,
                                         TrayIcon& tray, TrayMenu& menu)
    : state_(state)
    , platform_(platform)
    , switch_(state, platform, [&platform] { return platform.windows().foregroundWindow(); },
              [&platform](WindowHandle w) { return static_cast<std::uint32_t>(platform.windows().windowProcessId(w)); })
    , capture_(platform)
    , request_(state, platform, timers, page, [this](WindowHandle w) { return capture_.copySelectedText(w); },
               viewOf(popup))
    , polling_(state, timers, page, viewOf(popup))
    , watcher_(state, platform, watcherActions(popup))
{
    capture_.setOwnerWindow(clipboardOwner);
    switch_.setTrayView({[&tray] { tray.refresh(true, true); }, [&menu] { menu.hide(); },
                         [&menu](const QString& caption) { menu.toggleItem->setText(caption); },
                         [&menu](bool enabled) { menu.toggleItem->setEnabled(enabled); }});

    watcherUsesEvents_ = watcher_.watchEvents();
    connect(&timers.selectionWatch, &Timer::timeout, this, [this] { watcher_.onWatchTick(); });
    connect(&timers.resultPoll, &Timer::timeout, this, [this] { polling_.onResultPollTick(); });
    connect(&timers.translationTimeout, &Timer::timeout, this, [this] { polling_.onTranslationTimeout(); });
    connect(&popup, &Popup::copyRequested, this, [this](const QString& text) { capture_.putClipboardText(text); });
    connect(&popup, &Popup::translateOffRequested, this, [this] { switch_.setTranslationEnabled(false, true); });
    // What a dismissed popup waited for is not shown when it comes.
    connect(&popup, &Popup::dismissed, this, [this] { request_.endPending(); });
}

TranslationView TranslationPipeline::viewOf(Popup& popup)
{
    return {
        [&popup](const QString& text) { popup.showTranslation(text); },
        [&popup] { popup.showServiceLink(); },
        [&popup](const QString& direction) { popup.showDirection(direction); },
        [&popup](int x, int y) { popup.offerIcon(x, y); },
    };
}

SelectionWatcher::Actions TranslationPipeline::watcherActions(Popup& popup)
{
    return {
        [this] { return switch_.checkForegroundApplication(); },
        [this] { return switch_.watchActive; },
        [&popup] { return popup.isPointerOverPopupOrIcon(); },
        [&popup] { popup.hidePopup(); },
        [this](int x, int y, int selectionLeft) { return request_.translateSelection(x, y, selectionLeft); },
        [&popup](int x, int y) { popup.openPopup(x, y); },
        [this](std::uint32_t eventTimeMs) { platform_.windows().notePrimaryButtonDown(eventTimeMs); },
    };
}

void TranslationPipeline::toggleTranslation()
{
    switch_.setTranslationEnabled(!state_.translationEnabled, true);
}
