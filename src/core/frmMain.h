#pragma once
// The hidden main window. It carries the program's timers and, when the user opens
// it, shows the service page filling its client area.

#include "core/Timer.h"

#include <QWidget>

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

    // Decides what a close does: a user's close only hides the window, a close from
    // code goes ahead, anything else ends the program. Sets cancel to keep the window.
    void Form_QueryUnload(bool& cancel, UnloadMode mode);
    // Keeps the browser view filling the client area.
    void Form_Resize();

signals:
    // The program must end (the handler of the menu's Exit runs).
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
