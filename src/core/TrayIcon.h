#pragma once
// The program's icon in the notification area: its picture and tip follow the
// connection and the translation switch, a balloon offers updates, and its
// activations toggle translation, open the main window or pop up the tray menu.

#include "core/TrayPictures.h"

#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>
#include <functional>

class TrayMenu;
class QMenu;
namespace platform {
class Clock;
}

class TrayIcon : public QObject {
    Q_OBJECT
public:
    // What the icon shows and acts on, asked of the program when needed.
    struct Facts {
        bool connected = false;
        bool translationEnabled = false;
        // The page is ready, or resting and sure to come back: translation can be toggled.
        bool pageAvailable = false;
        QString downloadUrl;
    };

    // Two left presses closer together than this are a double click.
    static constexpr double DoubleClickSeconds = 0.3;

    TrayIcon(platform::Clock& clock, TrayMenu& menu, std::function<Facts()> facts);
    ~TrayIcon() override;

    // show: set picture and tip, adding the icon first unless added; else remove it.
    void refresh(bool show, bool added);
    // text: title, CR LF, body. The action ("download") is what a click on it does.
    void showBalloon(const QString& text, bool isError, bool isWarning, const QString& action);
    // What an activation of the icon does: a click toggles translation (two quick ones
    // open the main window, as a double click does), the context click pops the menu up.
    void activate(QSystemTrayIcon::ActivationReason reason);
    void onBalloonClicked();
    void openDownloadPage();
    // The balloon that offers a newer published version; a click on it downloads.
    void showUpdateBalloon(const QString& version);
    static QString updateBalloonText(const QString& version);
    static QString tipText(bool connected);
    // A line under the tip while not connected, saying what keeps the connection
    // from coming (empty: none).
    void showProblem(const QString& problem);

    TrayPicture picture() const { return picture_; }
    QString toolTip() const;
    bool isShown() const;
    // Where the tray host shows the icon; empty while it is not embedded.
    QRect geometry() const;

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
    QString fullTip(bool connected) const;

    platform::Clock& clock_;
    TrayMenu& menu_;
    std::function<Facts()> facts_;
    QSystemTrayIcon icon_;
    TrayPicture picture_ = TrayPicture::NotConnected;
    QString balloonAction_;
    QString problem_;
    double lastSingleClick_ = 0;
};
