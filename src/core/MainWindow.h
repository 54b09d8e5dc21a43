#pragma once
// The main window: hidden until the user opens it, then it shows the service page
// filling its client area, where the page itself can be used (to change the
// translation direction, say). Closing it only hides it.

#include <QWidget>

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Why the window is being closed.
    enum class CloseReason {
        UserClose = 0,  // close box or window menu
        FromCode = 1,   // the program closes it
        SessionEnd = 2, // the desktop session ends, or another owner closes it
    };

    MainWindow();

    // The browser view that fills the window; null until one is attached.
    QWidget* pageView = nullptr;
    void setPageView(QWidget* view);

    // Shows the window with the service page, normal size, in front.
    void showWithPage();

    // Decides what a close does: a user's close only hides the window, a close from
    // code goes ahead, anything else ends the program. Sets cancel to keep the window.
    void decideClose(bool& cancel, CloseReason reason);

signals:
    // The desktop session ends: the program must end as through the menu's Exit.
    void exitRequested();
    // showWithPage has shown the window; it must go into the topmost band.
    void topmostRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitPageView();
};
