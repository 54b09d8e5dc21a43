#pragma once
// Loading the service page into the hidden browser, noticing when it is ready,
// retrying while it is not, and reading what the ready page publishes: the newest
// program version and where to download it. A page nobody used for a while is let
// go to give its memory back, and loaded again when it is wanted.

#include "common/Timer.h"
#include "platform/Clock.h"
#include "service/ServicePage.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>


class Connection : public QObject {
    Q_OBJECT
public:
    // programVersion: this program's own version, major.minor.revision.
    Connection(ServicePage& page, platform::Clock& clock, QString programVersion);

    // The page address (without "?dir=" and the language), the language and the
    // reconnect period (0: never) that the next loads use.
    void configure(const QString& serviceUrl, const QString& language, int reconnectMs);
    // Whether a translation is being awaited: the page is in use and is kept.
    void setBusyCheck(std::function<bool()> busy) { busy_ = std::move(busy); }

    // Starts (or restarts) loading the page: not connected until it is ready.
    void connectService();

    // The page's input element is there: translations can be sent.
    bool isReady() const { return ready_; }
    // The page has become ready since the last connectService.
    bool isConnected() const { return connected_; }
    // The ready page was let go while nobody used it; it is loaded again when wanted.
    bool isResting() const { return resting_; }
    // Ready, or resting and sure to be ready again when wanted.
    bool isAvailable() const { return ready_ || resting_; }
    // The newest version the page published (this program's own until it did),
    // where to download it, and whether this program is newer than that.
    QString publishedVersion() const { return publishedVersion_; }
    QString downloadUrl() const { return downloadUrl_; }
    bool isBeta() const { return beta_; }
    QString programVersion() const { return programVersion_; }
    // The target languages the page lists, or those it listed when it was last ready
    // (a resting page has no document to ask).
    QList<ServicePage::Option> offeredLanguages();

    // How long the ready page may sit unused before it is let go.
    static constexpr int RestAfterMs = 10 * 60 * 1000;
    // A page lost again this soon after the last loss is not reloaded at once.
    static constexpr int LossRetryMs = 10000;
    // The page changed (a translation, a load): it is in use, and a load may be done.
    void notePageActivity();
    // Lets the ready page go unless it is in use or on screen. It then counts as not
    // ready (isResting tells why), while the tray still shows it connected.
    void rest();
    // The ready page will be let go unless it is used before.
    bool restScheduled() const { return restAlarm_->isActive(); }
    // A load of the page is under way.
    bool isLoading() const { return loadTimer_.isEnabled(); }
    // Loads a resting page again; it is ready as soon as the load finishes.
    void wake();
    // The page died with its browser process: not ready and not connected at once,
    // and loaded again now (a page that keeps dying waits for the reconnect timer).
    void onPageLost();

signals:
    // A connection attempt starts: whatever serves the page must be there.
    void connecting();
    // The page was let go to rest; what serves it may let go of its memory too.
    void rested();
    // The resting page is loaded again: what serves it can get ready meanwhile.
    void waking();
    // The page started loading or has become ready (isConnected tells which).
    void connectionChanged();
    // The page publishes a newer program version than this one.
    void newerVersionPublished(const QString& version);
    // No default target language yet: the language dialog must ask for one.
    void languageDialogRequested();
    // The page died; what waited for it will not come.
    void pageLost();

private:
    void loadPage();
    void onLoadTick();
    void onReconnectTick();
    void compareVersions();

    ServicePage& page_;
    QString programVersion_;
    QString serviceUrl_;
    QString language_;
    std::function<bool()> busy_;

    bool ready_ = false;
    bool connected_ = false;
    bool resting_ = false;
    QString publishedVersion_;
    QString downloadUrl_;
    bool beta_ = false;
    QList<ServicePage::Option> lastLanguages_;

    Timer loadTimer_;      // 500 ms while the page loads
    Timer reconnectTimer_; // reloads the page while it is not connected
    std::unique_ptr<platform::Alarm> restAlarm_; // lets the unused page go
    // Runs for LossRetryMs after the page was lost.
    std::unique_ptr<platform::Alarm> lossAlarm_;
};
