#pragma once
// What the settings, language and about dialogs need of the rest of the program.
// Dialogs fills one and hands it to each dialog it creates; tests fill their own.

#include "config/ModalPrompts.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>

struct AppState;
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

struct DialogEnvironment {
    AppState& state;
    SettingsFiles& settingsFiles;
    platform::Platform& platform;
    ModalPrompts prompts;
    // Makes the settings table take effect (the application's applySettings).
    std::function<void()> applySettings;
    // The languages the service page lists, in its order; empty while there is no page.
    std::function<QList<LanguageOption>()> offeredLanguages;
    // Opens the language dialog (the settings dialog's link).
    std::function<void()> showLanguageDialog;
    // Shows the window in the topmost band at (x, y) without activating it; a 0
    // coordinate keeps the window where it is.
    std::function<void(QWidget* window, int x, int y)> showTopmost;

    // Opens an address or document, reporting failures (see shellOpen).
    QString shellOpen(const QString& target);

    // Pixels of a size given in twips, halves to even.
    QSize pixels(int widthTwips, int heightTwips) const;
    // Where a window of the given client size stands centred on the screen.
    QPoint centred(QSize sizePx);
    // Fixes the dialog's client size (given in twips) and centres it on the screen.
    void placeCentred(QWidget& dialog, int widthTwips, int heightTwips);
};
