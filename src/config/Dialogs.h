#pragma once
// Opens the settings, language and about dialogs, one of each at a time: a dialog
// is created when opened and destroyed when closed; opening an open one brings it
// forward. Also the program's entry to ShellOpen.

#include "config/DialogEnvironment.h"
#include "popup/WindowEffects.h"

#include <QObject>
#include <QPointer>

class frmAbout;
class frmLanguage;
class frmSetting;

class Dialogs : public QObject {
    Q_OBJECT
public:
    // applySettings: the application's ApplySettings. page: the service page of the
    // hidden browser, or null until there is one (see setServicePage).
    Dialogs(AppState& state, mdlINI& ini, platform::api& platform, std::function<void()> applySettings,
            ServicePage* page = nullptr);
    ~Dialogs() override;

    void setServicePage(ServicePage* page) { env_.page = page; }

    // The tray menu's Settings.
    void ShowSettingsDialog();
    // The tray menu's About.
    void ShowAboutDialog();
    // "Not connected!" while the page is not connected; otherwise the language
    // dialog, centred and topmost, shown without taking the focus.
    void ShowLanguageDialog();
    // Opens an address or document with the desktop; see ShellOpen.
    QString ShellOpen(const QString& target) { return env_.shellOpen(target); }

    // The boxes shown; tests replace them.
    ModalPrompts& prompts() { return env_.prompts; }

    // The open dialogs, null when closed.
    frmSetting* settingsDialog() const;
    frmLanguage* languageDialog() const;
    frmAbout* aboutDialog() const;

private:
    static void bringForward(QWidget* dialog);

    DialogEnvironment env_;
    WindowEffects effects_;
    QPointer<frmSetting> settings_;
    QPointer<frmLanguage> language_;
    QPointer<frmAbout> about_;
};
