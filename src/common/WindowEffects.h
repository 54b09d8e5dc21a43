#pragma once
// Window effects shared by the popup, the icon and the dialogs: opacity, fading, and
// the topmost band without taking the focus.

#include <QWidget>
#include <functional>

struct AppState;
namespace platform {
class Platform;
}

class WindowEffects {
public:
    WindowEffects(AppState& state, platform::Platform& platform);

    // Makes the window translucent: alpha = 255 - level; level 0 makes it opaque again.
    // Levels outside 0..255 are clamped. Does nothing where windows cannot be layered.
    void setTransparency(QWidget* window, int level);
    // The level last given to the window (0 when none was).
    static int transparencyLevel(const QWidget* window);

    // Steps the transparency level from `from` towards `to` in `steps` steps of 30 ms,
    // letting pending events run between them. The start level itself is not applied.
    // It stops early, leaving the window as it is, once carryOn (when given) says no:
    // those events may have given the window to somebody else. True when it ran to its end.
    bool fade(QWidget* window, int from, int to, int steps, const std::function<bool()>& carryOn = {});

    // Puts the window into (or out of) the topmost band and raises it there, moves it to
    // (x, y) unless one of them is 0 (that coordinate is kept), and shows it when asked,
    // never taking the keyboard focus. The size is kept.
    void setTopmost(QWidget* window, bool topmost, bool show, int x, int y);

    // How long one step of a fade or a glide waits.
    static constexpr int StepMs = 30;

private:
    AppState& state_;
    platform::Platform& platform_;
};
