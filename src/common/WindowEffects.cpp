#include "common/WindowEffects.h"

#include "common/NumberText.h"

#include <QVariantAnimation>
#include <algorithm>

namespace effects {
namespace {
const char* const LevelProperty = "qlrTransparencyLevel";
} // namespace

void setTransparency(QWidget* window, int level)
{
    if (!window)
        return;
    level = std::clamp(level, 0, 255);
    window->setProperty(LevelProperty, level);
    window->setWindowOpacity((255 - level) / 255.0);
}

int transparencyLevel(const QWidget* window)
{
    return window ? window->property(LevelProperty).toInt() : 0;
}

QVariantAnimation* fade(QWidget* window, int from, int to, int steps, std::function<void()> done)
{
    auto* animation = new QVariantAnimation(window);
    const int count = std::max(steps, 0);
    // The animation runs through the step numbers 0..count; each number reached sets
    // its level, so the levels are those of a fade in count steps of StepMs.
    animation->setStartValue(0);
    animation->setEndValue(count);
    animation->setDuration(count * StepMs);
    const double increment = count > 0 ? double(to - from) / count : 0;
    QObject::connect(animation, &QVariantAnimation::valueChanged, window, [=](const QVariant& value) {
        const int step = value.toInt();
        if (step > 0)
            setTransparency(window, static_cast<int>(numbertext::roundHalfEven(from + step * increment)));
    });
    QObject::connect(animation, &QVariantAnimation::finished, window, [done = std::move(done)] {
        if (done)
            done();
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    return animation;
}

void setTopmost(QWidget* window, bool topmost, bool show, int x, int y)
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

} // namespace effects
