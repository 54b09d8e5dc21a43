#pragma once
// Loading the service page into the hidden browser, noticing when it is ready,
// retrying while it is not, and reading what the ready page publishes: the newest
// program version and where to download it.

#include <QObject>
#include <QString>

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

signals:
    // The page started loading or has become ready (AppState::connected tells which).
    void connectionChanged();
    // The page publishes a newer program version than this one.
    void newerVersionPublished(const QString& version);
    // No default target language yet: the language dialog must ask for one.
    void languageDialogRequested();

private:
    void compareVersions();

    AppState& state_;
    ServicePage& page_;
    ProgramTimers& timers_;
};
