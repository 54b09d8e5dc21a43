#pragma once
// What the settings, language and about dialogs need of the rest of the program.
// Dialogs fills one and hands it to each dialog it creates; tests fill their own.

#include "config/ModalPrompts.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>

class Settings;
class SettingsFiles;
class QWidget;
namespace platform {
class Platform;
}

// A target language the translation service offers.
struct LanguageOption {
    QString code; // what the service calls it ("es")
    QString name; // what the user reads ("Spanish")
};

// What the about box tells of versions.
struct VersionFacts {
    QString own;       // this program's version
    QString published; // the newest the service page published (own until it did)
    bool beta = false; // this program is newer than that
    QString downloadUrl;
};

struct DialogEnvironment {
    Settings& settings;
    SettingsFiles& settingsFiles;
    platform::Platform& platform;
    ModalPrompts prompts;
    // Makes the settings table take effect (the application's applySettings).
    std::function<void()> applySettings;
    // The languages the service page lists, in its order; empty while there is no page.
    std::function<QList<LanguageOption>()> offeredLanguages;
    // The service page has become ready since it was last loaded.
    std::function<bool()> connected;
    std::function<VersionFacts()> versions;
    // Opens the language dialog (the settings dialog's link).
    std::function<void()> showLanguageDialog;
    // Shows the window in the topmost band at (x, y) without activating it; a 0
    // coordinate keeps the window where it is.
    std::function<void(QWidget* window, int x, int y)> showTopmost;

    // Opens an address or document, reporting failures (see shellOpen).
    QString shellOpen(const QString& target);

    // Where a window of the given size stands centred on the screen.
    QPoint centred(QSize size);
    // Fixes the dialog's client size and centres it on the screen.
    void placeCentred(QWidget& dialog, QSize size);
};
