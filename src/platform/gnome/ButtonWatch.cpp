#include "platform/gnome/ButtonWatch.h"

#include "platform/gnome/ShellExtensionBus.h"

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>

namespace platform::gnome {

void ButtonWatch::watch()
{
    shell_.watchButtons(true);
}

void ButtonWatch::watchPastNextRelease()
{
    pastNextRelease_ = true;
    watch();
}

void ButtonWatch::released()
{
    const bool keep = pastNextRelease_ || programWindowShown();
    pastNextRelease_ = false;
    if (!keep)
        shell_.watchButtons(false);
}

bool ButtonWatch::programWindowShown()
{
    const auto windows = QGuiApplication::topLevelWindows();
    return std::any_of(windows.begin(), windows.end(), [](const QWindow* window) { return window->isVisible(); });
}

} // namespace platform::gnome
