#include "core/TranslationPipeline.h"

#include "core/TrayIcon.h"
#include "core/frmMain.h"
#include "platform/api.h"
#include "popup/Popup.h"
#include "popup/frmTrans.h"
#include "popup/frmico.h"

#include <QAction>
#include <QMenu>

TranslationPipeline::TranslationPipeline(AppState& state, platform::api& api, frmMain& main, Popup& popup,
                                         ServicePage& page, TrayIcon& tray)
    : state_(state)
    , api_(api)
    , switch_(state, api, [&api] { return api.windows().foregroundWindow(); },
              [&api](WindowHandle w) { return static_cast<std::uint32_t>(api.windows().windowProcessId(w)); })
    , capture_(api)
    , request_(state, api, main, popup, page, [this](WindowHandle w) { return capture_.CopySelectedText(w); })
    , polling_(state, main, popup, page)
    , watcher_(state, api, watcherActions(popup))
{
    capture_.setOwnerWindow(main.winId());
    switch_.setTrayView({[&tray] { tray.UpdateTrayIcon(true, true); },
                         [&main] {
                             if (main.mnuMain)
                                 main.mnuMain->hide();
                         },
                         [&main](const QString& caption) {
                             if (main.mnuEnable)
                                 main.mnuEnable->setText(caption);
                         },
                         [&main](bool enabled) {
                             if (main.mnuEnable)
                                 main.mnuEnable->setEnabled(enabled);
                         }});

    connect(&main.tmr1, &Timer::timeout, this, [this] { watcher_.tmr1_Timer(); });
    connect(&main.tmrTrans, &Timer::timeout, this, [this] { polling_.tmrTrans_Timer(); });
    connect(&main.tmrTimeOut, &Timer::timeout, this, [this] { polling_.tmrTimeOut_Timer(); });
    connect(&popup, &Popup::copyRequested, this, [this](const QString& text) { capture_.PutClipboardText(text); });
    connect(&popup, &Popup::translateOffRequested, this, [this] { switch_.SetTranslateEnabled(false, true); });
}

SelectionWatcher::Actions TranslationPipeline::watcherActions(Popup& popup)
{
    return {
        [this] { return switch_.CheckForegroundApp(); },
        [this] { return switch_.WatchActive; },
        [&popup] { return popup.IsCursorOverWindow(&popup.trans()) || popup.IsCursorOverWindow(&popup.icon()); },
        [&popup] { popup.HidePopup(); },
        [this](int x, int y, int selectionLeft) { return request_.TranslateSelection(x, y, selectionLeft); },
        [&popup](int x, int y) { popup.OpenPopup(x, y); },
        [this] { api_.windows().notePrimaryButtonDown(); },
    };
}

void TranslationPipeline::toggleTranslation()
{
    switch_.SetTranslateEnabled(!state_.TranslateEnabled, true);
}
