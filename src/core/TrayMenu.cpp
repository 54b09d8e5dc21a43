#include "core/TrayMenu.h"

TrayMenu::TrayMenu() : QMenu("Main")
{
    toggleItem = addAction("Enable", this, &TrayMenu::toggleRequested);
    addSeparator();
    openItem = addAction("Open", this, &TrayMenu::openRequested);
    reconnectItem = addAction("Reconnect", this, &TrayMenu::reconnectRequested);
    aboutItem = addAction("About", this, &TrayMenu::aboutRequested);
    addSeparator();
    settingsItem = addAction("Settings", this, &TrayMenu::settingsRequested);
    addSeparator();
    exitItem = addAction("Exit", this, &TrayMenu::exitRequested);
    setDefaultAction(toggleItem);
}

void TrayMenu::showConnection(bool connected)
{
    reconnectItem->setText(connected ? "Reconnect" : "Connecting...");
    reconnectItem->setEnabled(connected);
}
