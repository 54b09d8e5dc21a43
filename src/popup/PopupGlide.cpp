#include "popup/PopupGlide.h"

#include "common/AppState.h"
#include "common/NumberText.h"
#include "common/Twips.h"
#include "common/WindowEffects.h"
#include "platform/Platform.h"
#include "popup/ShadowPicture.h"
#include "popup/ShadowWindow.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {
constexpr int FirstStepTwips = 1000;
constexpr int ShadowWidthPx = 5;
} // namespace

PopupGlide::PopupGlide(AppState& state, platform::Platform& platform, ShadowWindow& shadow)
    : state_(state), platform_(platform), shadow_(shadow)
{
}

double PopupGlide::glideSpeed()
{
    // 0 to 50 steps; anything unreadable is no glide.
    const double smooth = std::clamp(state_.settings.number("SmoothGlide").value_or(0), 0.0, 50.0);
    return smooth / 10 + 1;
}

bool PopupGlide::overtaken(int mine)
{
    if (glideCounter_ == mine)
        return false;
    state_.gliding = false;
    return true;
}

void PopupGlide::glide(QWidget* form, int W, int H, int L)
{
    if (!form)
        return;
    shadow_.hide();
    const Twips tw(state_);
    const double speed = glideSpeed();

    // Each exit below still ends with the shadow step, whatever the glide reached.
    [&] {
        if (speed <= 1) { // SmoothGlide 0: jump
            tw.setWidth(*form, W);
            tw.setHeight(*form, H);
            tw.setLeft(*form, L);
            return;
        }
        state_.gliding = true;
        const int mine = ++glideCounter_;
        const int dW = W - tw.width(*form);
        const int dH = H - tw.height(*form);

        if (dW != 0) {
            int stepW = FirstStepTwips;
            int stepL = FirstStepTwips;
            while (!(tw.width(*form) >= W || stepW < tw.perPxX() || stepL < tw.perPxX())) {
                if (overtaken(mine))
                    return;
                stepW = static_cast<int>(numbertext::roundHalfEven(std::abs(W - tw.width(*form)) / speed));
                tw.setWidth(*form, tw.width(*form) + stepW);
                if (tw.left(*form) > L) {
                    stepL = static_cast<int>(numbertext::roundHalfEven(std::abs(tw.left(*form) - L) / speed));
                    tw.setLeft(*form, tw.left(*form) - stepL);
                }
                platform_.clock().sleepMs(WindowEffects::StepMs);
                platform_.clock().processEvents();
            }
            if (overtaken(mine))
                return;
            tw.setWidth(*form, W);
            if (tw.left(*form) > L)
                tw.setLeft(*form, L);
        }

        if (dH != 0) {
            int stepH = FirstStepTwips;
            while (!(tw.height(*form) >= H || stepH < tw.perPxY())) {
                if (overtaken(mine))
                    return;
                stepH = static_cast<int>(numbertext::roundHalfEven(std::abs(H - tw.height(*form)) / speed));
                tw.setHeight(*form, tw.height(*form) + stepH);
                platform_.clock().sleepMs(WindowEffects::StepMs);
                platform_.clock().processEvents();
            }
            if (glideCounter_ == mine)
                tw.setHeight(*form, H);
        }
        state_.gliding = false;
    }();

    placeShadow(*form, W, H);
}

void PopupGlide::placeShadow(QWidget& form, int W, int H)
{
    if (!state_.settings.flag("shadow"))
        return;
    const Twips tw(state_);
    const int w = static_cast<int>(numbertext::roundHalfEven(double(W) / tw.perPxX() + ShadowWidthPx));
    const int h = static_cast<int>(numbertext::roundHalfEven(double(H) / tw.perPxY() + ShadowWidthPx));
    drawShadow(shadow_, w, h, ShadowWidthPx);
    shadow_.setGeometry(form.x(), form.y(), w, h);
    // A shadow is only seen through a compositor, and only beside a popup that is
    // still shown (it may have been hidden while the glide ran).
    if (platform_.screen().compositingAvailable() && form.isVisible()) {
        shadow_.show();
        // The popup stays above its shadow, so clicks on the popup reach it even where
        // the window manager ignores the shadow's empty input region.
        shadow_.raise();
        form.raise();
    }
}
