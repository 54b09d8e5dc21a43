#include "common/WindowEffects.h"

#include "common/AppState.h"
#include "common/NumberText.h"
#include "platform/Platform.h"

#include <QPointer>
#include <algorithm>

namespace {
const char* const LevelProperty = "qlrTransparencyLevel";
// Windows can be made translucent from this platform version on.
constexpr int LayeredWindowsVersion = 500;
} // namespace

WindowEffects::WindowEffects(AppState& state, platform::Platform& platform) : state_(state), platform_(platform) {}

void WindowEffects::setTransparency(QWidget* window, int level)
{
    if (!window || state_.osVersion < LayeredWindowsVersion)
        return;
    level = std::clamp(level, 0, 255);
    window->setProperty(LevelProperty, level);
    window->setWindowOpacity((255 - level) / 255.0);
}

int WindowEffects::transparencyLevel(const QWidget* window)
{
    return window ? window->property(LevelProperty).toInt() : 0;
}

bool WindowEffects::fade(QWidget* window, int from, int to, int steps, const std::function<bool()>& carryOn)
{
    if (steps <= 0)
        return true;
    // Events run between the steps may delete a dialog being faded.
    const QPointer<QWidget> guarded(window);
    const double increment = double(to - from) / steps;
    for (int i = 1; i <= steps; ++i) {
        if (carryOn && !carryOn())
            return false;
        if (guarded) {
            setTransparency(guarded, static_cast<int>(numbertext::roundHalfEven(from + i * increment)));
            if (guarded->isVisible())
                guarded->repaint();
        }
        platform_.clock().processEvents();
        platform_.clock().sleepMs(StepMs);
    }
    return !carryOn || carryOn();
}

void WindowEffects::setTopmost(QWidget* window, bool topmost, bool show, int x, int y)
{
    if (!window)
        return;
    const QRect frame = window->frameGeometry();
    const QPoint target(x != 0 ? x : frame.x(), y != 0 ? y : frame.y());
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != topmost) {
        // Changing the band recreates the window hidden; a shown window stays shown.
        show = show || window->isVisible();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    }
    window->move(target);
    if (show && !window->isVisible()) {
        window->setAttribute(Qt::WA_ShowWithoutActivating);
        window->show();
    }
    if (topmost && window->isVisible())
        window->raise();
}
