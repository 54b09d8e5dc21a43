#include "service/Connection.h"

#include "core/AppState.h"
#include "core/TrayIcon.h"
#include "core/frmMain.h"
#include "service/ServicePage.h"
#include "service/VersionNumber.h"

#include <QAction>

Connection::Connection(AppState& state, ServicePage& page, frmMain& form, TrayIcon& tray)
    : state_(state), page_(page), form_(form), tray_(tray)
{
    connect(&form_.tmrLoad, &Timer::timeout, this, &Connection::tmrLoad_Timer);
    connect(&form_.tmrReconnect, &Timer::timeout, this, &Connection::tmrReconnect_Timer);
    connect(&form_.tmrProgress, &Timer::timeout, this, &Connection::tmrProgress_Timer);
}

QString Connection::updateBalloonText(const QString& version)
{
    return "New version " + version + "\r\nA new Quillora Version is available.\r\n Click here to download.";
}

void Connection::ConnectService()
{
    state_.PageReady = false;
    state_.Connected = false;
    form_.mnuConnect->setText("Connecting...");
    form_.mnuConnect->setEnabled(false);
    // The page still shown must not pass for the new one.
    page_.clearOuterHtml(page::text);
    page_.navigate(state_.settings.value("serviceurl") + "?dir=" + state_.settings.value("language"));
    form_.tmrLoad.setEnabled(true);
    form_.mnuEnable->setEnabled(false);
    tray_.UpdateTrayIcon(true, true);
}

void Connection::tmrLoad_Timer()
{
    if (const auto markup = page_.outerHtml(page::text))
        state_.PageReady = !markup->isEmpty();
    if (!state_.PageReady)
        return;

    form_.mnuConnect->setText("Reconnect");
    form_.mnuConnect->setEnabled(true);
    state_.Connected = true;
    form_.tmrLoad.setEnabled(false);
    tray_.UpdateTrayIcon(true, true);
    form_.mnuEnable->setEnabled(!state_.CurrentApp.isEmpty() && state_.PageReady);

    if (const auto version = page_.value(page::version))
        state_.LatestVersion = *version;
    if (const auto download = page_.value(page::download))
        state_.DownloadURL = *download;
    if (state_.AppVersion != state_.LatestVersion)
        offerNewerVersion();

    if (state_.settings.value("language").isEmpty())
        emit languageDialogRequested();
}

void Connection::offerNewerVersion()
{
    const double own = VersionNumber(state_.AppVersion);
    const double published = VersionNumber(state_.LatestVersion);
    if (own < published) {
        emit newVersionLabel("New v" + state_.LatestVersion);
        tray_.ShowBalloon(updateBalloonText(state_.LatestVersion), false, false, "download");
        state_.IsBeta = false;
    } else if (published < own) {
        state_.IsBeta = true;
    }
}

void Connection::tmrReconnect_Timer()
{
    if (!state_.Connected)
        ConnectService();
}

void Connection::tmrProgress_Timer()
{
    if (!popupText || !setPopupText)
        return;
    const QString text = popupText();
    setPopupText(text.size() == 5 ? QString() : text + ".");
}
