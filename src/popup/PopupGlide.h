#pragma once
// The popup's glide towards a new size, which ends by placing the drop shadow.

struct AppState;
class QWidget;
class ShadowWindow;
namespace platform {
class Platform;
}

class PopupGlide {
public:
    // shadow: hidden when a glide starts, drawn and placed when it ends.
    PopupGlide(AppState& state, platform::Platform& platform, ShadowWindow& shadow);

    // Grows the form to width W and height H (twips), the width first, moving its left
    // edge leftwards to L; shrinking is immediate. The steps wait 30 ms each and let
    // pending events run; a newer glide overtakes this one. Ends with the shadow.
    void glide(QWidget* form, int W, int H, int L);

    // How many animated glides have started; a glide that sees it change was overtaken.
    int glideCounter() const { return glideCounter_; }

private:
    double glideSpeed();
    // True when the glide was overtaken (and AppState::gliding is cleared).
    bool overtaken(int mine);
    void placeShadow(QWidget& form, int W, int H);

    AppState& state_;
    platform::Platform& platform_;
    ShadowWindow& shadow_;
    int glideCounter_ = 0;
};
