#include "popup/PopupGlide.h"

#include "common/NumberText.h"
#include "common/WindowEffects.h"
#include "popup/ShadowPicture.h"
#include "popup/ShadowWindow.h"

#include <QVariantAnimation>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {
// The first step's size before any is computed: only the loop's first test sees it.
constexpr int FirstStepPx = 67;
constexpr int ShadowWidthPx = 5;

int step(double distance, double speed)
{
    return static_cast<int>(numbertext::roundHalfEven(std::abs(distance) / speed));
}
} // namespace

PopupGlide::PopupGlide(ShadowWindow& shadow) : shadow_(shadow) {}

void PopupGlide::configure(double steps, bool shadow, bool compositing)
{
    speed_ = std::clamp(steps, 0.0, 50.0) / 10 + 1;
    shadowOn_ = shadow;
    compositing_ = compositing;
}

bool PopupGlide::isGliding() const
{
    return animation_ && animation_->state() == QAbstractAnimation::Running;
}

void PopupGlide::stop()
{
    if (animation_)
        animation_->stop();
}

QList<QRect> PopupGlide::frames(QRect from, int W, int H, int L, double speed)
{
    QList<QRect> frames;
    QRect r = from;
    if (W != r.width()) {
        int stepW = FirstStepPx;
        int stepL = FirstStepPx;
        while (!(r.width() >= W || stepW < 1 || stepL < 1)) {
            stepW = step(W - r.width(), speed);
            r.setWidth(r.width() + stepW);
            if (r.left() > L) {
                stepL = step(r.left() - L, speed);
                r.moveLeft(r.left() - stepL);
            }
            frames.append(r);
        }
        r.setWidth(W);
        if (r.left() > L)
            r.moveLeft(L);
    }
    if (H != r.height()) {
        int stepH = FirstStepPx;
        while (!(r.height() >= H || stepH < 1)) {
            stepH = step(H - r.height(), speed);
            r.setHeight(r.height() + stepH);
            frames.append(r);
        }
        r.setHeight(H);
    }
    frames.append(r);
    return frames;
}

void PopupGlide::glide(QWidget* form, int W, int H, int L)
{
    if (!form)
        return;
    stop();
    shadow_.hide();
    if (speed_ <= 1) { // no glide: a jump
        form->setGeometry(L, form->y(), W, H);
        placeShadow(*form, W, H);
        return;
    }
    // The first step is taken at once, each next one StepMs later.
    const QList<QRect> path = frames(form->geometry(), W, H, L, speed_);
    form->setGeometry(path.first());
    if (path.size() == 1) {
        placeShadow(*form, W, H);
        return;
    }
    auto* animation = new QVariantAnimation(this);
    animation_ = animation;
    animation->setStartValue(0);
    animation->setEndValue(int(path.size()) - 1);
    animation->setDuration((int(path.size()) - 1) * effects::StepMs);
    const QPointer<QWidget> guarded(form);
    connect(animation, &QVariantAnimation::valueChanged, this, [guarded, path](const QVariant& value) {
        if (guarded)
            guarded->setGeometry(path.at(value.toInt()));
    });
    connect(animation, &QVariantAnimation::finished, this, [this, guarded, W, H] {
        if (guarded)
            placeShadow(*guarded, W, H);
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void PopupGlide::placeShadow(QWidget& form, int W, int H)
{
    if (!shadowOn_)
        return;
    const int w = W + ShadowWidthPx;
    const int h = H + ShadowWidthPx;
    drawShadow(shadow_, w, h, ShadowWidthPx);
    shadow_.setGeometry(form.x(), form.y(), w, h);
    // A shadow is only seen through a compositor, and only beside a popup that is
    // still shown.
    if (compositing_ && form.isVisible()) {
        shadow_.show();
        // The popup stays above its shadow, so clicks on the popup reach it even where
        // the window manager ignores the shadow's empty input region.
        shadow_.raise();
        form.raise();
    }
}
