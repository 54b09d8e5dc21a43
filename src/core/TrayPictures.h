#pragma once
// The three pictures of the tray icon, drawn for 16 and 32 pixels so that they
// stay sharp on normal and high-density screens.

#include <QIcon>

enum class TrayPicture {
    NotConnected, // picIcoNotifier00
    Enabled,      // picIcoNotifier
    Disabled,     // picIcoNotifier0
};

QIcon trayPictureIcon(TrayPicture picture);
