#pragma once
// The program's icon in the notification area: its picture and tip follow the
// connection and the translation switch, a balloon offers updates, and its mouse
// messages toggle translation, open the main window or pop up the tray menu.

#include "core/TrayPictures.h"

#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>
#include <functional>

struct AppState;
class TrayMenu;
class QMenu;
namespace platform {
class Clock;
}

class TrayIcon : public QObject {
    Q_OBJECT
public:
    // The mouse messages of the icon.
    static constexpr int LeftButtonDown = 513;
    static constexpr int LeftButtonDoubleClick = 515;
    static constexpr int RightButtonUp = 517;
    static constexpr int BalloonUserClick = 1029;
    // Two left presses closer together than this are a double click.
    static constexpr double DoubleClickSeconds = 0.3;

    TrayIcon(AppState& state, platform::Clock& clock, TrayMenu& menu);
    ~TrayIcon() override;

    // show: set picture and tip, adding the icon first unless added; else remove it.
    void refresh(bool show, bool added);
    // text: title, CR LF, body. The action ("download") is what a click on it does.
    void showBalloon(const QString& text, bool isError, bool isWarning, const QString& action);
    // Handles one mouse message of the icon (the numbers above).
    void handleMouseMessage(int message);
    void onBalloonClicked();
    void openDownloadPage();
    // The balloon that offers a newer published version; a click on it downloads.
    void showUpdateBalloon(const QString& version);
    static QString updateBalloonText(const QString& version);

    // The message number of a tray activation; 0 for none handled.
    static int messageFor(QSystemTrayIcon::ActivationReason reason);
    static QString tipText(bool connected);
    // A line under the tip while not connected, saying what keeps the connection
    // from coming (empty: none).
    void showProblem(const QString& problem);

    TrayPicture picture() const { return picture_; }
    QString toolTip() const;
    bool isShown() const;
    // Where the tray host shows the icon; empty while it is not embedded.
    QRect geometry() const;

    // Pops the menu up at the pointer and returns when it closes. Tests replace it.
    std::function<void(QMenu* menu, const QPoint& at)> popupMenu;

signals:
    // Translation must be switched to the opposite for the current application and saved.
    void translateToggleRequested();
    // The translation popup must close.
    void hidePopupRequested();
    // The main window with the service page must come forward (a double click).
    void mainWindowRequested();
    // The address must open in the desktop's browser.
    void openUrlRequested(const QString& url);
    // A balloon was shown (title, body, icon).
    void balloonShown(const QString& title, const QString& body, QSystemTrayIcon::MessageIcon icon);

private:
    void leftButtonDown();
    QString fullTip() const;

    AppState& state_;
    platform::Clock& clock_;
    TrayMenu& menu_;
    QSystemTrayIcon icon_;
    TrayPicture picture_ = TrayPicture::NotConnected;
    QString problem_;
    bool busy_ = false;
    double lastSingleClick_ = 0;
};
