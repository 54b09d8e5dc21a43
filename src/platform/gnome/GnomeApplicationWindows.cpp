#include "platform/gnome/GnomeApplicationWindows.h"

#include <QTimer>

namespace platform::gnome {

GnomeApplicationWindows::GnomeApplicationWindows(ShellExtensionBus& shell, ButtonWatch& watch) : shell_(shell), watch_(watch)
{
    QObject::connect(&shell_, &ShellExtensionBus::focusChanged, &shell_, [this] { focused_.reset(); });
}

ShellExtensionBus::FocusedWindow GnomeApplicationWindows::focused()
{
    // A Shell that does not answer has no window in front, and is asked again.
    if (!focused_)
        focused_ = shell_.focusedWindow();
    return focused_.value_or(ShellExtensionBus::FocusedWindow{});
}

std::optional<ShellExtensionBus::FocusedWindow> GnomeApplicationWindows::known(WindowHandle window)
{
    const auto info = focused();
    if (window == 0 || info.id != window)
        return std::nullopt;
    return info;
}

WindowHandle GnomeApplicationWindows::foregroundWindow()
{
    return focused().id;
}

std::int64_t GnomeApplicationWindows::windowProcessId(WindowHandle window)
{
    const auto info = known(window);
    return info && info->x11 ? info->pid : 0;
}

QStringList GnomeApplicationWindows::windowClass(WindowHandle window)
{
    const auto info = known(window);
    return info && !info->appId.isEmpty() ? QStringList{info->appId} : QStringList();
}

QString GnomeApplicationWindows::applicationId(WindowHandle window)
{
    const auto info = known(window);
    return info && !info->x11 ? info->appId : QString();
}

bool GnomeApplicationWindows::deliverForegroundChanges(std::function<void()> handler)
{
    QObject::connect(&shell_, &ShellExtensionBus::focusChanged, &shell_, handler);
    // Once for the window already in front.
    QTimer::singleShot(0, &shell_, handler);
    return true;
}

bool GnomeApplicationWindows::deliverSelectionChanges(std::function<void(bool selected)> handler)
{
    QObject::connect(&shell_, &ShellExtensionBus::primaryChanged, &shell_,
                     [this, handler = std::move(handler)](bool selected) {
                         // On before the handler asks whether a button is held, so that
                         // its release is reported.
                         watch_.watch();
                         handler(selected);
                     });
    return true;
}

std::optional<QString> GnomeApplicationWindows::selectedText(WindowHandle window)
{
    if (window == 0)
        return std::nullopt;
    watch_.captured();
    return primarySelectionText();
}

std::optional<QString> GnomeApplicationWindows::primarySelectionText()
{
    return shell_.primaryText();
}

} // namespace platform::gnome
