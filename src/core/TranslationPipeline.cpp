#include "core/TranslationPipeline.h"

#include "core/TrayIcon.h"
#include "core/TrayMenu.h"
#include "platform/Platform.h"
#include "popup/Popup.h"
#include "service/Connection.h"

TranslationPipeline::TranslationPipeline(platform::Platform& platform, Popup& popup, ServicePage& page,
                                         Connection& connection, TrayIcon& tray, TrayMenu& menu)
    : platform_(platform)
    , popup_(popup)
    , switch_(platform)
    , capture_(platform)
    , request_(platform, page, connection,
               [this](WindowHandle window, auto done) { capture_.copySelectedText(window, std::move(done)); },
               viewOf(popup))
    , watcher_(platform, watcherActions(popup))
{
    switch_.setTrayView({[&tray] { tray.refresh(true, true); }, [&menu] { menu.hide(); },
                         [&menu](const QString& caption) { menu.toggleItem->setText(caption); },
                         [this, &menu, &connection] {
                             menu.toggleItem->setEnabled(!switch_.currentApplication().isEmpty() &&
                                                         connection.isAvailable());
                         }});
    connect(&popup, &Popup::copyRequested, this, [this](const QString& text) { capture_.clipboard().putText(text); });
    connect(&popup, &Popup::translateOffRequested, this, [this] { switch_.setTranslationEnabled(false, true); });
    // What a dismissed popup waited for is not shown when it comes.
    connect(&popup, &Popup::dismissed, this, [this] { request_.endPending(); });
    connection.setBusyCheck([this] { return request_.isAwaiting(); });
    watcher_.start();
}

void TranslationPipeline::configure(const AppSettings& settings)
{
    watcher_.configure(settings.trigger, settings.primaryButton, settings.secondaryButton);
    request_.configure(settings);
}

TranslationView TranslationPipeline::viewOf(Popup& popup)
{
    return {
        [&popup](const QString& text) { popup.showResult(text); },
        [&popup](const QString& text) { popup.showMessage(text); },
        [&popup] { popup.showWaiting(); },
        [&popup](const QString& direction) { popup.showDirection(direction); },
        [&popup](int x, int y, int selectionLeft) { popup.offerIcon(x, y, selectionLeft); },
    };
}

SelectionWatcher::Actions TranslationPipeline::watcherActions(Popup& popup)
{
    return {
        [this] { return switch_.watchesForeground(); },
        [this] {
            switch_.forgetForeground();
            switch_.checkForegroundApplication();
        },
        [&popup] { return popup.isPointerOverPopupOrIcon(); },
        [&popup] { popup.hidePopup(); },
        [this](int x, int y, int selectionLeft, SelectionWatcher::Handled handled) {
            request_.translateSelection(x, y, selectionLeft, std::move(handled));
        },
        [&popup](int x, int y) { popup.openPopup(x, y); },
        [this](std::uint32_t eventTimeMs) { platform_.applications().notePrimaryButtonDown(eventTimeMs); },
    };
}

bool TranslationPipeline::translatePrimarySelection()
{
    const QPoint pointer = platform_.input().locatePointer();
    const std::optional<QString> text = platform_.applications().primarySelectionText();
    if (!text || !request_.translateText(*text, pointer.x(), pointer.y()))
        return false;
    popup_.openPopup(pointer.x(), pointer.y());
    return true;
}

void TranslationPipeline::toggleTranslation()
{
    switch_.setTranslationEnabled(!switch_.translationEnabled(), true);
}
