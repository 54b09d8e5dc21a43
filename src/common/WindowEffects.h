#pragma once
// Window effects shared by the popup, the icon and the dialogs: opacity, fading, and
// the topmost band without taking the focus.

#include <QWidget>
#include <functional>

class QVariantAnimation;

namespace effects {

// How long one step of a fade or a glide lasts.
constexpr int StepMs = 30;

// Makes the window translucent: alpha = 255 - level; level 0 makes it opaque again.
// Levels outside 0..255 are clamped.
void setTransparency(QWidget* window, int level);
// The level last given to the window (0 when none was).
int transparencyLevel(const QWidget* window);

// Steps the transparency level from `from` towards `to` in `steps` steps of StepMs;
// the start level itself is not applied. done runs after the last step. The fade
// belongs to the window and ends with it; stopping it leaves the window as it is.
QVariantAnimation* fade(QWidget* window, int from, int to, int steps, std::function<void()> done);

// Puts the window into (or out of) the topmost band and raises it there, moves it to
// (x, y) unless one of them is 0 (that coordinate is kept), and shows it when asked,
// never taking the keyboard focus. The size is kept.
void setTopmost(QWidget* window, bool topmost, bool show, int x, int y);

} // namespace effects
