#pragma once
// Loading the service page into the hidden browser, noticing when it is ready,
// retrying while it is not, and offering a newer program version once it is.
// Also animates the waiting dots of the popup.

#include <QObject>
#include <QString>
#include <functional>

struct AppState;
class ServicePage;
class MainWindow;
class TrayIcon;

class Connection : public QObject {
    Q_OBJECT
public:
    // The form's pageLoad, reconnect and progressDots drive the handlers below.
    Connection(AppState& state, ServicePage& page, MainWindow& form, TrayIcon& tray);

    // Starts (or restarts) loading the page: not connected until it is ready.
    void connectService();
    void onPageLoadTick();
    void onReconnectTick();
    // One step of the popup's waiting dots: five dots become none, else one more.
    void advanceWaitingDots();

    // The popup's text box, for the waiting dots; unset hooks leave the dots out.
    std::function<QString()> popupText;
    std::function<void(const QString&)> setPopupText;

    static QString updateBalloonText(const QString& version);

signals:
    // The popup's update label must read this caption and be visible.
    void newVersionLabel(const QString& caption);
    // No default target language yet: the language dialog must ask for one.
    void languageDialogRequested();

private:
    void offerNewerVersion();

    AppState& state_;
    ServicePage& page_;
    MainWindow& form_;
    TrayIcon& tray_;
};
