#pragma once
// The settings as the program's parts use them: read from the settings table once,
// each time the settings are applied, into typed values.

#include "common/Colour.h"

#include <QString>
#include <Qt>
#include <optional>

class Settings;

// How a finished selection leads to its translation.
enum class TriggerMode {
    ClickIcon,    // the floating icon offers it; a click on the icon opens it
    ClickNearEnd, // a click near the end of the selection opens it
    JustSelect,   // it opens at once
};

struct AppSettings {
    // ControlMode 1, 2 and 3; any other value acts as 2 (the icon).
    TriggerMode trigger = TriggerMode::ClickIcon;

    // The popup's look.
    Colour background = 0;
    Colour text = 0;
    Colour gray = 0; // the popup's links and border, and the icon's background with it
    bool border = false;
    bool shadow = false;
    // The transparency level of the popup and the icon (0 opaque, 255 invisible).
    int transparency = 0;
    double fontPointSize = 8;
    // The popup's wrap width in pixels, as the settings file stores it.
    double wrapWidthPx = 450;
    // Glide steps from 0 (none) to 50.
    double glideSteps = 0;
    // How long an unused icon stays; nothing when the setting cannot be read.
    std::optional<int> iconRetireMs;
    QString serviceCaption;
    QString serviceAddress;

    // The translation service.
    QString serviceUrl;
    QString language;
    int reconnectMs = 0;
    int translationTimeoutMs = 0;
    QString notConnectedText;
    QString timeoutText;
    // Offer the icon while only the not-connected text can be shown.
    bool iconWhenNotConnected = true;

    // The physical buttons that select (primary) and dismiss (secondary).
    Qt::MouseButton primaryButton = Qt::LeftButton;
    Qt::MouseButton secondaryButton = Qt::RightButton;

    // The values of the table; mouseButtonsSwapped: the desktop's own setting.
    static AppSettings read(Settings& settings, bool mouseButtonsSwapped);
};
