#pragma once
// The hidden main window. It carries the program's timers and, when the user opens
// it, shows the service page filling its client area.

#include "core/Timer.h"

#include <QWidget>

class QAction;
class QMenu;

class frmMain : public QWidget {
    Q_OBJECT
public:
    // Why the window is being closed.
    enum class UnloadMode {
        UserClose = 0,  // close box or window menu
        FromCode = 1,   // the program unloads it
        SessionEnd = 2, // the desktop session ends, or another owner closes it
    };

    // twipsX, twipsY: the screen's twips per pixel, for the window's design size.
    frmMain(int twipsX, int twipsY);

    Timer tmr1;         // selection watcher
    Timer tmrLoad;      // waits for the service page
    Timer tmrReconnect; // reconnects while not connected
    Timer tmrTrans;     // result polling
    Timer tmrTimeOut;   // translation time-out
    Timer tmrProgress;  // progress dots
    Timer tmrHideIco;   // retires the floating icon
    Timer tmrOut;       // hides the icon when the pointer moves away

    // The browser view that fills the window; null until one is attached.
    QWidget* WB = nullptr;
    void setBrowserView(QWidget* view);

    // The tray menu, only ever shown as a popup menu, and its items in order.
    QMenu* mnuMain = nullptr;
    QAction* mnuEnable = nullptr; // "Enable"/"Disable ... in app"; the bold default item
    QAction* mnusep2 = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuConnect = nullptr; // "Reconnect", or "Connecting..." while loading
    QAction* mnuAbout = nullptr;
    QAction* nmusep5 = nullptr;
    QAction* mnuSettings = nullptr;
    QAction* sep1 = nullptr;
    QAction* mnuExit = nullptr;

    // Shows the window with the service page, normal size, in front.
    void ShowMe();

    // Decides what a close does: a user's close only hides the window, a close from
    // code goes ahead, anything else ends the program. Sets cancel to keep the window.
    void Form_QueryUnload(bool& cancel, UnloadMode mode);
    // Keeps the browser view filling the client area.
    void Form_Resize();

signals:
    // The program must end (the handler of the menu's Exit runs).
    void exitRequested();
    // Tray menu items whose work lives elsewhere.
    void translateToggleRequested();
    void reconnectRequested();
    void aboutRequested();
    void settingsRequested();
    // ShowMe has shown the window; it must go into the topmost band.
    void topmostRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildTrayMenu();
};
