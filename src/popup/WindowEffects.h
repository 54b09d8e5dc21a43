#pragma once
// Window effects shared by the popup, the icon and the dialogs: opacity, fading,
// the topmost band without focus, and the popup's glide towards a new size, which
// ends by placing the drop shadow.

#include <QWidget>

struct AppState;
class ShadowWindow;
namespace platform {
class Platform;
}

class WindowEffects {
public:
    WindowEffects(AppState& state, platform::Platform& platform);

    // The window that glide hides at its start and places at its end.
    void setShadowWindow(ShadowWindow* shadow) { shadow_ = shadow; }

    // Makes the window translucent: alpha = 255 - level; level 0 makes it opaque again.
    // Levels outside 0..255 are clamped. Does nothing where windows cannot be layered.
    void setTransparency(QWidget* window, int level);
    // The level last given to the window (0 when none was).
    static int transparencyLevel(const QWidget* window);

    // Steps the transparency level from `from` towards `to` in `steps` steps of 30 ms,
    // letting pending events run between them. The start level itself is not applied.
    void fade(QWidget* window, int from, int to, int steps);

    // Puts the window into (or out of) the topmost band and raises it there, moves it to
    // (x, y) unless one of them is 0 (that coordinate is kept), and shows it when asked,
    // never taking the keyboard focus. The size is kept.
    void setTopmost(QWidget* window, bool topmost, bool show, int x, int y);

    // Grows the form to width W and height H (twips), the width first, moving its left
    // edge leftwards to L; shrinking is immediate. The steps wait 30 ms each and let
    // pending events run; a newer glide overtakes this one. Ends with the shadow.
    void glide(QWidget* form, int W, int H, int L);

    // How many animated glides have started; a glide that sees it change was overtaken.
    int glideCounter() const { return glideCounter_; }

private:
    double glideSpeed();
    // True when the glide was overtaken (and Gliding is cleared).
    bool overtaken(int mine);
    void placeShadow(QWidget& form, int W, int H);

    AppState& state_;
    platform::Platform& platform_;
    ShadowWindow* shadow_ = nullptr;
    int glideCounter_ = 0;
};
