#include "service/Connection.h"

#include "common/AppState.h"
#include "core/TrayIcon.h"
#include "core/MainWindow.h"
#include "service/ServicePage.h"
#include "service/VersionNumber.h"

#include <QAction>

Connection::Connection(AppState& state, ServicePage& page, MainWindow& form, TrayIcon& tray)
    : state_(state), page_(page), form_(form), tray_(tray)
{
    connect(&form_.pageLoad, &Timer::timeout, this, &Connection::onPageLoadTick);
    connect(&form_.reconnect, &Timer::timeout, this, &Connection::onReconnectTick);
    connect(&form_.progressDots, &Timer::timeout, this, &Connection::advanceWaitingDots);
}

QString Connection::updateBalloonText(const QString& version)
{
    return "New version " + version + "\r\nA new Quillora Version is available.\r\n Click here to download.";
}

void Connection::connectService()
{
    state_.pageReady = false;
    state_.connected = false;
    form_.reconnectItem->setText("Connecting...");
    form_.reconnectItem->setEnabled(false);
    // The page still shown must not pass for the new one.
    page_.clearOuterHtml(page::text);
    page_.navigate(state_.settings.value("serviceurl") + "?dir=" + state_.settings.value("language"));
    form_.pageLoad.setEnabled(true);
    form_.toggleItem->setEnabled(false);
    tray_.refresh(true, true);
}

void Connection::onPageLoadTick()
{
    if (const auto markup = page_.outerHtml(page::text))
        state_.pageReady = !markup->isEmpty();
    if (!state_.pageReady)
        return;

    form_.reconnectItem->setText("Reconnect");
    form_.reconnectItem->setEnabled(true);
    state_.connected = true;
    form_.pageLoad.setEnabled(false);
    tray_.refresh(true, true);
    form_.toggleItem->setEnabled(!state_.currentApplication.isEmpty() && state_.pageReady);

    if (const auto version = page_.value(page::version))
        state_.publishedVersion = *version;
    if (const auto download = page_.value(page::download))
        state_.downloadUrl = *download;
    if (state_.programVersion != state_.publishedVersion)
        offerNewerVersion();

    if (state_.settings.value("language").isEmpty())
        emit languageDialogRequested();
}

void Connection::offerNewerVersion()
{
    const double own = versionNumber(state_.programVersion);
    const double published = versionNumber(state_.publishedVersion);
    if (own < published) {
        emit newVersionLabel("New v" + state_.publishedVersion);
        tray_.showBalloon(updateBalloonText(state_.publishedVersion), false, false, "download");
        state_.isBeta = false;
    } else if (published < own) {
        state_.isBeta = true;
    }
}

void Connection::onReconnectTick()
{
    if (!state_.connected)
        connectService();
}

void Connection::advanceWaitingDots()
{
    if (!popupText || !setPopupText)
        return;
    const QString text = popupText();
    setPopupText(text.size() == 5 ? QString() : text + ".");
}
