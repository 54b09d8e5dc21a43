#include "service/Connection.h"

#include "common/AppState.h"
#include "common/ProgramTimers.h"
#include "common/WebAddress.h"
#include "service/ServicePage.h"
#include "service/VersionNumber.h"

Connection::Connection(AppState& state, ServicePage& page, ProgramTimers& timers)
    : state_(state), page_(page), timers_(timers)
{
    connect(&timers_.pageLoad, &Timer::timeout, this, &Connection::onPageLoadTick);
    connect(&timers_.reconnect, &Timer::timeout, this, &Connection::onReconnectTick);
    restTimer_.setSingleShot(true);
    restTimer_.setInterval(RestAfterMs);
    connect(&restTimer_, &QTimer::timeout, this, &Connection::rest);
}

void Connection::connectService()
{
    state_.connected = false;
    state_.pageResting = false;
    emit connecting();
    // The page still shown must not pass for the new one.
    page_.clearOuterHtml(page::text);
    loadPage();
    emit connectionChanged();
}

void Connection::loadPage()
{
    state_.pageReady = false;
    restTimer_.stop();
    page_.navigate(state_.settings.value("serviceurl") + "?dir=" + state_.settings.value("language"));
    timers_.pageLoad.setEnabled(true);
}

void Connection::notePageActivity()
{
    if (state_.pageReady)
        restTimer_.start();
}

void Connection::rest()
{
    // An awaited translation or a page on screen keeps it; the wait starts over.
    if (!state_.pageReady)
        return;
    if (timers_.resultPoll.isEnabled() || !page_.discard()) {
        restTimer_.start();
        return;
    }
    state_.pageReady = false;
    state_.pageResting = true;
    emit rested();
}

void Connection::wake()
{
    if (!state_.pageResting || timers_.pageLoad.isEnabled())
        return;
    // Still resting until the load is ready: a selection meanwhile waits for it too.
    loadPage();
    emit waking();
}

void Connection::onPageLost()
{
    const bool justLost = sinceLoss_.isValid() && sinceLoss_.elapsed() < LossRetryMs;
    sinceLoss_.start();
    state_.pageReady = false;
    state_.pageResting = false;
    state_.connected = false;
    emit pageLost();
    if (justLost) {
        timers_.pageLoad.setEnabled(false);
        emit connectionChanged();
        return;
    }
    connectService();
}

void Connection::onPageLoadTick()
{
    if (const auto markup = page_.outerHtml(page::text))
        state_.pageReady = !markup->isEmpty();
    if (!state_.pageReady)
        return;

    state_.connected = true;
    state_.pageResting = false;
    timers_.pageLoad.setEnabled(false);
    restTimer_.start();
    emit connectionChanged();

    if (const auto version = page_.value(page::version))
        state_.publishedVersion = *version;
    // The page is not trusted with anything but a web address for the download.
    if (const auto download = page_.value(page::download); download && isWebAddress(*download))
        state_.downloadUrl = *download;
    if (state_.programVersion != state_.publishedVersion)
        compareVersions();

    if (state_.settings.value("language").isEmpty())
        emit languageDialogRequested();
}

void Connection::compareVersions()
{
    const double own = versionNumber(state_.programVersion);
    const double published = versionNumber(state_.publishedVersion);
    if (own < published) {
        emit newerVersionPublished(state_.publishedVersion);
        state_.isBeta = false;
    } else if (published < own) {
        state_.isBeta = true;
    }
}

void Connection::onReconnectTick()
{
    // A resting page that did not come back is reconnected like a lost one.
    const bool wakeStuck = state_.pageResting && timers_.pageLoad.isEnabled();
    if (!state_.connected || wakeStuck)
        connectService();
}
