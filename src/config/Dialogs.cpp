#include "config/Dialogs.h"

#include "config/frmAbout.h"
#include "config/frmLanguage.h"
#include "config/frmSetting.h"
#include "core/AppState.h"

Dialogs::Dialogs(AppState& state, mdlINI& ini, platform::api& platform, std::function<void()> applySettings,
                 ServicePage* page)
    : env_{state, ini, platform, ModalPrompts::system(), std::move(applySettings), page, {}, {}},
      effects_(state, platform)
{
    env_.showLanguageDialog = [this] { ShowLanguageDialog(); };
    env_.showTopmost = [this](QWidget* window, int x, int y) { effects_.SetWindowTopmost(window, true, true, x, y); };
}

Dialogs::~Dialogs()
{
    // The dialogs refer to the environment; none may outlive it.
    delete settings_.data();
    delete language_.data();
    delete about_.data();
}

frmSetting* Dialogs::settingsDialog() const
{
    return settings_;
}

frmLanguage* Dialogs::languageDialog() const
{
    return language_;
}

frmAbout* Dialogs::aboutDialog() const
{
    return about_;
}

void Dialogs::bringForward(QWidget* dialog)
{
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void Dialogs::ShowSettingsDialog()
{
    if (!settings_)
        settings_ = new frmSetting(env_);
    bringForward(settings_);
}

void Dialogs::ShowAboutDialog()
{
    if (about_) {
        bringForward(about_);
        return;
    }
    about_ = new frmAbout(env_);
    // Into the topmost band where it stands, then a normal modeless window.
    env_.showTopmost(about_, about_->x(), about_->y());
    bringForward(about_);
}

void Dialogs::ShowLanguageDialog()
{
    if (!env_.state.Connected) {
        env_.prompts.exclamation("Quillora", "Not connected!");
        return;
    }
    if (!language_)
        language_ = new frmLanguage(env_);
    const QPoint centre = env_.centred(language_->size());
    env_.showTopmost(language_, centre.x(), centre.y());
}
