#pragma once
// Loading the service page into the hidden browser, noticing when it is ready,
// retrying while it is not, and reading what the ready page publishes: the newest
// program version and where to download it. A page nobody used for a while is let
// go to give its memory back, and loaded again when it is wanted.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

struct AppState;
struct ProgramTimers;
class ServicePage;

class Connection : public QObject {
    Q_OBJECT
public:
    // The page-load and reconnect timers drive the handlers below.
    Connection(AppState& state, ServicePage& page, ProgramTimers& timers);

    // Starts (or restarts) loading the page: not connected until it is ready.
    void connectService();
    void onPageLoadTick();
    void onReconnectTick();

    // How long the ready page may sit unused before it is let go.
    static constexpr int RestAfterMs = 10 * 60 * 1000;
    // A page lost again this soon after the last loss is not reloaded at once.
    static constexpr int LossRetryMs = 10000;
    // The page changed (a translation, a load): it is in use.
    void notePageActivity();
    // Lets the ready page go unless it is in use or on screen. It then counts as not
    // ready (AppState::pageResting tells why), while the tray still shows it connected.
    void rest();
    // The ready page will be let go unless it is used before.
    bool restScheduled() const { return restTimer_.isActive(); }
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
    // The page started loading or has become ready (AppState::connected tells which).
    void connectionChanged();
    // The page publishes a newer program version than this one.
    void newerVersionPublished(const QString& version);
    // No default target language yet: the language dialog must ask for one.
    void languageDialogRequested();
    // The page died; what waited for it will not come.
    void pageLost();

private:
    void loadPage();
    void compareVersions();

    AppState& state_;
    ServicePage& page_;
    ProgramTimers& timers_;
    QTimer restTimer_;
    QElapsedTimer sinceLoss_;
};
