#include "platform/gnome/GnomePlatform.h"

#include "platform/gnome/ExtensionOffer.h"
#include "platform/gnome/GnomeInput.h"
#include "platform/gnome/GnomeWindows.h"
#include "platform/gnome/ShellExtensionBus.h"
#include "platform/wayland/NoTypingKeyboard.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace platform::gnome {
namespace {

// The X11 back end keeps the program's windows (Mutter places X11 windows where they
// ask), its clipboard for the copy link and everything else that is no other
// application's business.
class GnomePlatform : public Platform {
public:
    explicit GnomePlatform(std::unique_ptr<Platform> x11)
        : x11_(std::move(x11))
        , shell_(QDBusConnection::sessionBus())
        , watch_(shell_)
        , input_(shell_, watch_, x11_->input())
        , windows_(shell_, watch_)
    {
    }

    Screen& screen() override { return x11_->screen(); }
    Files& files() override { return x11_->files(); }
    SettingsStore& store() override { return x11_->store(); }
    Session& session() override { return x11_->session(); }
    Clock& clock() override { return x11_->clock(); }
    Shell& shell() override { return x11_->shell(); }
    Input& input() override { return input_; }
    Processes& processes() override { return x11_->processes(); }
    Clipboard& clipboard() override { return x11_->clipboard(); }
    Keyboard& keyboard() override { return keyboard_; }
    Windows& windows() override { return windows_; }

private:
    std::unique_ptr<Platform> x11_;
    ShellExtensionBus shell_;
    ButtonWatch watch_;
    GnomeInput input_;
    GnomeWindows windows_;
    wayland::NoTypingKeyboard keyboard_;
};

} // namespace

bool isGnomeSession()
{
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(':').contains(QStringLiteral("GNOME"),
                                                                             Qt::CaseInsensitive);
}

std::unique_ptr<Platform> createGnomePlatform(std::unique_ptr<Platform>& x11)
{
    if (ShellExtensionBus::isPresent(QDBusConnection::sessionBus()))
        return std::make_unique<GnomePlatform>(std::move(x11));
    ExtensionOffer::startWhenRunning(*x11, qApp);
    return nullptr;
}

} // namespace platform::gnome
