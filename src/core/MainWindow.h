#pragma once
// The hidden main window. It carries the program's timers and, when the user opens
// it, shows the service page filling its client area.

#include "common/Timer.h"

#include <QWidget>

class QAction;
class QMenu;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Why the window is being closed.
    enum class CloseReason {
        UserClose = 0,  // close box or window menu
        FromCode = 1,   // the program unloads it
        SessionEnd = 2, // the desktop session ends, or another owner closes it
    };

    // twipsX, twipsY: the screen's twips per pixel, for the window's design size.
    MainWindow(int twipsX, int twipsY);

    Timer selectionWatch;         // selection watcher
    Timer pageLoad;      // waits for the service page
    Timer reconnect; // reconnects while not connected
    Timer resultPoll;     // result polling
    Timer translationTimeout;   // translation time-out
    Timer progressDots;  // progress dots
    Timer iconRetire;   // retires the floating icon
    Timer iconLeave;       // hides the icon when the pointer moves away

    // The browser view that fills the window; null until one is attached.
    QWidget* pageView = nullptr;
    void setBrowserView(QWidget* view);

    // The tray menu, only ever shown as a popup menu, and its items in order.
    QMenu* trayMenu = nullptr;
    QAction* toggleItem = nullptr; // "Enable"/"Disable ... in app"; the bold default item
    QAction* mnusep2 = nullptr;
    QAction* openItem = nullptr;
    QAction* reconnectItem = nullptr; // "Reconnect", or "Connecting..." while loading
    QAction* aboutItem = nullptr;
    QAction* nmusep5 = nullptr;
    QAction* settingsItem = nullptr;
    QAction* sep1 = nullptr;
    QAction* exitItem = nullptr;

    // Shows the window with the service page, normal size, in front.
    void showWithPage();

    // Decides what a close does: a user's close only hides the window, a close from
    // code goes ahead, anything else ends the program. Sets cancel to keep the window.
    void decideClose(bool& cancel, CloseReason mode);
    // Keeps the browser view filling the client area.
    void fitPageView();

signals:
    // The program must end (the handler of the menu's Exit runs).
    void exitRequested();
    // Tray menu items whose work lives elsewhere.
    void translateToggleRequested();
    void reconnectRequested();
    void aboutRequested();
    void settingsRequested();
    // showWithPage has shown the window; it must go into the topmost band.
    void topmostRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildTrayMenu();
};
