#pragma once
// Opens the settings, language and about dialogs, one of each at a time: a dialog
// is created when opened and destroyed when closed; opening an open one brings it
// forward. Also the program's entry to shellOpen.

#include "config/DialogEnvironment.h"

#include <QObject>
#include <QPointer>

class AboutBox;
class LanguageDialog;
class SettingsDialog;

class Dialogs : public QObject {
    Q_OBJECT
public:
    // applySettings: the application's applySettings. What the dialogs tell of the
    // service page (its languages, the connection, the versions) is set in
    // environment(); without it they see no page.
    Dialogs(Settings& settings, SettingsFiles& settingsFiles, platform::Platform& platform,
            std::function<void()> applySettings);
    ~Dialogs() override;

    // The tray menu's Settings.
    void showSettings();
    // The tray menu's About.
    void showAbout();
    // "Not connected!" while the page is not connected; otherwise the language
    // dialog, centred and topmost, shown without taking the focus.
    void showLanguage();
    // Opens an address or document with the desktop; see shellOpen.
    QString shellOpen(const QString& target) { return env_.shellOpen(target); }

    // The boxes shown (tests replace them), and what the dialogs are told.
    ModalPrompts& prompts() { return env_.prompts; }
    DialogEnvironment& environment() { return env_; }

    // The open dialogs, null when closed.
    SettingsDialog* settingsDialog() const;
    LanguageDialog* languageDialog() const;
    AboutBox* aboutDialog() const;

private:
    static void bringForward(QWidget* dialog);

    DialogEnvironment env_;
    QPointer<SettingsDialog> settings_;
    QPointer<LanguageDialog> language_;
    QPointer<AboutBox> about_;
};
