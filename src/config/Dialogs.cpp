#include "config/Dialogs.h"

#include "config/AboutBox.h"
#include "common/WindowEffects.h"
#include "config/LanguageDialog.h"
#include "config/SettingsDialog.h"

Dialogs::Dialogs(Settings& settings, SettingsFiles& settingsFiles, platform::Platform& platform,
                 std::function<void()> applySettings)
    : env_{settings, settingsFiles, platform, ModalPrompts::system(), std::move(applySettings), {}, {}, {}, {}, {}}
{
    env_.showLanguageDialog = [this] { showLanguage(); };
    env_.showTopmost = [](QWidget* window, int x, int y) { effects::setTopmost(window, true, true, x, y); };
}

Dialogs::~Dialogs()
{
    // The dialogs refer to the environment; none may outlive it.
    delete settings_.data();
    delete language_.data();
    delete about_.data();
}

SettingsDialog* Dialogs::settingsDialog() const
{
    return settings_;
}

LanguageDialog* Dialogs::languageDialog() const
{
    return language_;
}

AboutBox* Dialogs::aboutDialog() const
{
    return about_;
}

void Dialogs::bringForward(QWidget* dialog)
{
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void Dialogs::showSettings()
{
    if (!settings_)
        settings_ = new SettingsDialog(env_);
    bringForward(settings_);
}

void Dialogs::showAbout()
{
    if (about_) {
        bringForward(about_);
        return;
    }
    about_ = new AboutBox(env_);
    // Into the topmost band where it stands, then a normal modeless window.
    env_.showTopmost(about_, about_->x(), about_->y());
    bringForward(about_);
}

void Dialogs::showLanguage()
{
    if (!env_.connected || !env_.connected()) {
        env_.prompts.exclamation("Quillora", "Not connected!");
        return;
    }
    if (!language_)
        language_ = new LanguageDialog(env_);
    const QPoint centre = env_.centred(language_->size());
    env_.showTopmost(language_, centre.x(), centre.y());
}
