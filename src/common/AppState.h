#pragma once
// The values that the program's parts share: the settings table and what start-up,
// the connection, the per-application switch, the request and the glide derive
// and keep. The application owns one instance; tests make their own.

#include "common/Colour.h"
#include "common/Settings.h"
#include "common/TranslationCache.h"
#include "platform/WindowHandle.h"

#include <QHash>
#include <QString>

class TraceFile;

struct AppState {
    Settings settings;

    // Derived from the settings and the screen by Application::applySettings.
    Colour backColour = 0;
    Colour textColour = 0;
    Colour grayColour = 0; // the popup's links and border
    int twipsPerPixelX = 0;
    int twipsPerPixelY = 0;
    // Which button number (1 left, 2 right) is the user's primary and secondary one.
    int primaryButton = 0;
    int secondaryButton = 0;
    int osVersion = 0;
    QString programVersion;
    TranslationCache translationCache;

    // The service page.
    bool pageReady = false;
    bool connected = false;
    // The ready page was let go while nobody used it; it is loaded again when wanted.
    bool pageResting = false;
    // Ready, or resting and sure to be ready again when wanted.
    bool pageAvailable() const { return pageReady || pageResting; }
    QString publishedVersion;
    QString downloadUrl;
    // This program is newer than the published version.
    bool isBeta = false;

    // The selection watcher learns of finished selections from the selection itself,
    // without the mouse buttons (Wayland), so it sees no click outside the program.
    bool buttonsUnseen = false;
    // What a finished selection leads to, from the setting read afresh: 1 the next
    // click near its end opens the popup, 2 the floating icon offers it, 3 it opens at
    // once. Anything else acts as 2, and so does 1 where no click can be seen.
    int controlMode()
    {
        const auto mode = settings.number("ControlMode");
        if (mode && *mode == 1 && !buttonsUnseen)
            return 1;
        if (mode && *mode == 3)
            return 3;
        return 2;
    }

    // The per-application switch.
    bool translationEnabled = false;
    QString currentApplication;
    WindowHandle lastForegroundWindow = 0;

    // What a click on the tray balloon does ("download" or nothing).
    QString balloonAction;

    // The newest translation request.
    QString lastRequestText;
    // It waits for the resting page to come back before it goes to the page.
    bool requestAwaitsPage = false;
    int selectionLeftTwips = 0;
    // The floating icon's anchor and the pointer's distance from it when it was offered.
    int iconAnchorX = 0;
    int iconAnchorY = 0;
    double iconAnchorDistance = 0;

    // True while the popup glides.
    bool gliding = false;

    // The opt-in timing trace (QLR_TRACE_FILE); null unless asked for.
    TraceFile* trace = nullptr;
};
