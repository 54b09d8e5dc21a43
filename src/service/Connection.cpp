#include "service/Connection.h"

#include "common/WebAddress.h"
#include "service/VersionNumber.h"

namespace {
constexpr int LoadTickMs = 500;
} // namespace

Connection::Connection(ServicePage& page, platform::Clock& clock, QString programVersion)
    : page_(page)
    , programVersion_(std::move(programVersion))
    , publishedVersion_(programVersion_)
    , loadTimer_(clock)
    , reconnectTimer_(clock)
    , restAlarm_(clock.newAlarm([this] { rest(); }))
    , lossAlarm_(clock.newAlarm([] {}))
{
    loadTimer_.setInterval(LoadTickMs);
    connect(&loadTimer_, &Timer::timeout, this, &Connection::onLoadTick);
    connect(&reconnectTimer_, &Timer::timeout, this, &Connection::onReconnectTick);
}

void Connection::configure(const QString& serviceUrl, const QString& language, int reconnectMs)
{
    serviceUrl_ = serviceUrl;
    language_ = language;
    publishedVersion_ = programVersion_;
    reconnectTimer_.setInterval(reconnectMs);
    reconnectTimer_.setEnabled(true);
}

void Connection::connectService()
{
    connected_ = false;
    resting_ = false;
    emit connecting();
    // The page still shown must not pass for the new one.
    page_.clearOuterHtml(page::text);
    loadPage();
    emit connectionChanged();
}

void Connection::loadPage()
{
    ready_ = false;
    restAlarm_->stop();
    page_.navigate(serviceUrl_ + "?dir=" + language_);
    loadTimer_.setEnabled(true);
}

void Connection::notePageActivity()
{
    if (ready_)
        restAlarm_->start(RestAfterMs);
    // The page tells of its load: looked at now, not only on the next tick.
    if (loadTimer_.isRunning())
        onLoadTick();
}

void Connection::rest()
{
    // An awaited translation or a page on screen keeps it; the wait starts over.
    if (!ready_)
        return;
    if ((busy_ && busy_()) || !page_.discard()) {
        restAlarm_->start(RestAfterMs);
        return;
    }
    ready_ = false;
    resting_ = true;
    emit rested();
}

void Connection::wake()
{
    if (!resting_ || loadTimer_.isEnabled())
        return;
    // Still resting until the load is ready: a selection meanwhile waits for it too.
    loadPage();
    emit waking();
}

void Connection::onPageLost()
{
    const bool justLost = lossAlarm_->isActive();
    lossAlarm_->start(LossRetryMs);
    ready_ = false;
    resting_ = false;
    connected_ = false;
    emit pageLost();
    if (justLost) {
        loadTimer_.setEnabled(false);
        emit connectionChanged();
        return;
    }
    connectService();
}

void Connection::onLoadTick()
{
    if (const auto markup = page_.outerHtml(page::text))
        ready_ = !markup->isEmpty();
    if (!ready_)
        return;

    // A page back from its rest is the same connection: what a new connection offers
    // (an update, the question for a language) was offered already.
    const bool back = connected_ && resting_;
    connected_ = true;
    resting_ = false;
    loadTimer_.setEnabled(false);
    restAlarm_->start(RestAfterMs);
    lastLanguages_ = page_.options(page::selto).value_or(lastLanguages_);
    emit connectionChanged();
    if (back)
        return;

    if (const auto version = page_.value(page::version))
        publishedVersion_ = *version;
    // The page is not trusted with anything but a web address for the download.
    if (const auto download = page_.value(page::download); download && isWebAddress(*download))
        downloadUrl_ = *download;
    if (programVersion_ != publishedVersion_)
        compareVersions();

    if (language_.isEmpty())
        emit languageDialogRequested();
}

void Connection::compareVersions()
{
    const double own = versionNumber(programVersion_);
    const double published = versionNumber(publishedVersion_);
    if (own < published) {
        emit newerVersionPublished(publishedVersion_);
        beta_ = false;
    } else if (published < own) {
        beta_ = true;
    }
}

void Connection::onReconnectTick()
{
    // A resting page that did not come back is reconnected like a lost one.
    const bool wakeStuck = resting_ && loadTimer_.isEnabled();
    if (!connected_ || wakeStuck)
        connectService();
}

QList<ServicePage::Option> Connection::offeredLanguages()
{
    if (const auto options = page_.options(page::selto))
        lastLanguages_ = *options;
    return lastLanguages_;
}
