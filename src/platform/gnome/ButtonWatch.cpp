#include "platform/gnome/ButtonWatch.h"

#include "platform/gnome/ShellExtensionBus.h"

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>

namespace platform::gnome {

ButtonWatch::ButtonWatch(ShellExtensionBus& shell) : shell_(shell)
{
    afterRelease_.setSingleShot(true);
    afterRelease_.setInterval(AfterReleaseMs);
    QObject::connect(&afterRelease_, &QTimer::timeout, [this] {
        if (!programWindowShown())
            shell_.watchButtons(false);
    });
}

void ButtonWatch::watch()
{
    afterRelease_.stop();
    shell_.watchButtons(true);
}

void ButtonWatch::captured()
{
    pastNextRelease_ = pastNextRelease_ || inRelease_;
    watch();
}

void ButtonWatch::released()
{
    if (!pastNextRelease_)
        afterRelease_.start();
    inRelease_ = pastNextRelease_ = false;
}

bool ButtonWatch::programWindowShown()
{
    const auto windows = QGuiApplication::topLevelWindows();
    return std::any_of(windows.begin(), windows.end(), [](const QWindow* window) { return window->isVisible(); });
}

} // namespace platform::gnome
