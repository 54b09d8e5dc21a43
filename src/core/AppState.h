#pragma once
// The values that the program's parts share: the settings table and what start-up,
// the connection, the per-application switch, the request and the glide derive
// and keep. The application owns one instance; tests make their own.

#include "config/ColorText.h"
#include "config/Settings.h"

#include <QHash>
#include <QString>
#include <cstdint>

class TraceFile;

using WindowHandle = std::uint64_t;

struct AppState {
    Settings settings;

    // Derived by ApplySettings.
    Colour clrBack = 0;
    Colour clrText = 0;
    Colour clrGray = 0;
    int TwipsX = 0;
    int TwipsY = 0;
    int btnPrimary = 0;
    int btnSecondary = 0;
    int OSVersion = 0;
    QString AppVersion;
    // Translations of this run, keyed by TextCacheKey of the source text.
    QHash<QString, QString> TranslationCache;

    // The service page.
    bool PageReady = false;
    bool Connected = false;
    QString LatestVersion;
    QString DownloadURL;
    bool IsBeta = false;

    // The per-application switch.
    bool TranslateEnabled = false;
    QString CurrentApp;
    WindowHandle LastForeground = 0;

    // The tray balloon.
    QString BalloonAction;

    // The newest translation request.
    QString LastRequestText;
    int SelectionLeft = 0; // twips
    int AnchorX = 0;
    int AnchorY = 0;
    double AnchorDistance = 0;

    // True while the popup glides.
    bool Gliding = false;

    // The opt-in timing trace (QLR_TRACE_FILE); null unless asked for.
    TraceFile* Trace = nullptr;
};
