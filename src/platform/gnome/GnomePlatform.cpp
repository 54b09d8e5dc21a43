#include "platform/gnome/GnomePlatform.h"

#include "platform/gnome/ExtensionOffer.h"
#include "platform/gnome/GnomeInput.h"
#include "platform/gnome/GnomeApplicationWindows.h"
#include "platform/gnome/ShellExtensionBus.h"
#include "platform/wayland/XWaylandPlatform.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace platform::gnome {
namespace {

// Mutter places the program's X11 windows where they ask, so the screen is XWayland's.
class GnomePlatform : public wayland::XWaylandPlatform {
public:
    explicit GnomePlatform(std::unique_ptr<Platform> x11)
        : XWaylandPlatform(std::move(x11))
        , shell_(QDBusConnection::sessionBus())
        , watch_(shell_)
        , input_(shell_, watch_, xwayland().input())
        , windows_(shell_, watch_)
    {
    }

    Input& input() override { return input_; }
    ApplicationWindows& applications() override { return windows_; }

private:
    ShellExtensionBus shell_;
    ButtonWatch watch_;
    GnomeInput input_;
    GnomeApplicationWindows windows_;
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
