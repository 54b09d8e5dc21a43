#include "core/TranslationPipeline.h"

#include "core/TrayIcon.h"
#include "core/MainWindow.h"
#include "platform/Platform.h"
#include "popup/Popup.h"
#include "popup/TranslationPopup.h"
#include "popup/FloatingIcon.h"

#include <QAction>
#include <QMenu>

TranslationPipeline::TranslationPipeline(AppState& state, platform::Platform& platform, MainWindow& main, Popup& popup,
                                         ServicePage& page, TrayIcon& tray)
    : state_(state)
    , platform_(platform)
    , switch_(state, platform, [&platform] { return platform.windows().foregroundWindow(); },
              [&platform](WindowHandle w) { return static_cast<std::uint32_t>(platform.windows().windowProcessId(w)); })
    , capture_(platform)
    , request_(state, platform, main, popup, page, [this](WindowHandle w) { return capture_.copySelectedText(w); })
    , polling_(state, main, popup, page)
    , watcher_(state, platform, watcherActions(popup))
{
    capture_.setOwnerWindow(main.winId());
    switch_.setTrayView({[&tray] { tray.refresh(true, true); },
                         [&main] {
                             if (main.trayMenu)
                                 main.trayMenu->hide();
                         },
                         [&main](const QString& caption) {
                             if (main.toggleItem)
                                 main.toggleItem->setText(caption);
                         },
                         [&main](bool enabled) {
                             if (main.toggleItem)
                                 main.toggleItem->setEnabled(enabled);
                         }});

    connect(&main.selectionWatch, &Timer::timeout, this, [this] { watcher_.onWatchTick(); });
    connect(&main.resultPoll, &Timer::timeout, this, [this] { polling_.onResultPollTick(); });
    connect(&main.translationTimeout, &Timer::timeout, this, [this] { polling_.onTranslationTimeout(); });
    connect(&popup, &Popup::copyRequested, this, [this](const QString& text) { capture_.putClipboardText(text); });
    connect(&popup, &Popup::translateOffRequested, this, [this] { switch_.setTranslationEnabled(false, true); });
}

SelectionWatcher::Actions TranslationPipeline::watcherActions(Popup& popup)
{
    return {
        [this] { return switch_.checkForegroundApplication(); },
        [this] { return switch_.watchActive; },
        [&popup] { return popup.isPointerOver(&popup.translationWindow()) || popup.isPointerOver(&popup.icon()); },
        [&popup] { popup.hidePopup(); },
        [this](int x, int y, int selectionLeft) { return request_.translateSelection(x, y, selectionLeft); },
        [&popup](int x, int y) { popup.openPopup(x, y); },
        [this] { platform_.windows().notePrimaryButtonDown(); },
    };
}

void TranslationPipeline::toggleTranslation()
{
    switch_.setTranslationEnabled(!state_.translationEnabled, true);
}
