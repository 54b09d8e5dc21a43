#include "platform/wayland/WaylandApplicationWindows.h"

#include "platform/wayland/DataControlSelection.h"
#include "platform/wayland/ToplevelTracker.h"

#include <QTimer>

namespace platform::wayland {

WaylandApplicationWindows::WaylandApplicationWindows(ToplevelTracker& toplevels, DataControlSelection& selection)
    : toplevels_(toplevels), selection_(selection)
{
}

WindowHandle WaylandApplicationWindows::foregroundWindow()
{
    return toplevels_.activeWindow();
}

std::int64_t WaylandApplicationWindows::windowProcessId(WindowHandle window)
{
    return window == 0 ? 0 : toplevels_.processId(window);
}

QStringList WaylandApplicationWindows::windowClass(WindowHandle window)
{
    const QString id = applicationId(window);
    return id.isEmpty() ? QStringList() : QStringList{id};
}

QString WaylandApplicationWindows::applicationId(WindowHandle window)
{
    return window == 0 ? QString() : toplevels_.applicationId(window);
}

bool WaylandApplicationWindows::deliverForegroundChanges(std::function<void()> handler)
{
    toplevels_.setActiveChangedHandler(handler);
    // Once for the window already in front.
    QTimer::singleShot(0, [handler] { handler(); });
    return true;
}

bool WaylandApplicationWindows::deliverSelectionChanges(std::function<void(bool selected)> handler)
{
    if (!selection_.isAvailable())
        return false;
    selection_.setChangeHandler(std::move(handler));
    return true;
}

std::optional<QString> WaylandApplicationWindows::selectedText(WindowHandle window)
{
    if (window == 0)
        return std::nullopt;
    return primarySelectionText();
}

std::optional<QString> WaylandApplicationWindows::primarySelectionText()
{
    return selection_.readPrimary();
}

} // namespace platform::wayland
