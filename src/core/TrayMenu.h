#pragma once
// The tray icon's menu, only ever popped up at the pointer. Its items only ask for
// their work; the application connects them to the parts that do it.

#include <QMenu>

class TrayMenu : public QMenu {
    Q_OBJECT
public:
    TrayMenu();

    QAction* toggleItem;    // "Enable"/"Disable in <app>"; the bold default item
    QAction* openItem;      // the main window with the service page
    QAction* reconnectItem; // "Reconnect", or "Connecting..." while the page loads
    QAction* aboutItem;
    QAction* settingsItem;
    QAction* exitItem;

    // The connection items as the page's state asks: loading or connected.
    void showConnection(bool connected);

signals:
    void toggleRequested();
    void openRequested();
    void reconnectRequested();
    void aboutRequested();
    void settingsRequested();
    void exitRequested();
};
