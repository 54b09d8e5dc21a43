#include "common/AppSettings.h"

#include "common/NumberText.h"
#include "common/Settings.h"
#include "common/Timer.h"

#include <algorithm>

namespace {

// Point sizes beyond this are no use to a popup.
constexpr double MaxPointSize = 1638;
constexpr double DefaultPointSize = 8;
constexpr double DefaultWrapWidthPx = 450;

int whole(double value)
{
    return numbertext::clampedWhole(value, -1000000000, 1000000000);
}

// A whole-seconds setting as a timer interval: unreadable or negative is 0 (off),
// fractions are kept to the millisecond, and the top is the longest interval.
int secondsAsInterval(Settings& settings, const QString& key)
{
    const auto seconds = settings.number(key);
    if (!seconds || *seconds <= 0)
        return 0;
    return static_cast<int>(std::min(numbertext::roundHalfEven(*seconds * 1000), double(Timer::MaxInterval)));
}

TriggerMode triggerOf(Settings& settings)
{
    const auto mode = settings.number("ControlMode");
    if (mode && *mode == 1)
        return TriggerMode::ClickNearEnd;
    if (mode && *mode == 3)
        return TriggerMode::JustSelect;
    return TriggerMode::ClickIcon;
}

} // namespace

AppSettings AppSettings::read(Settings& settings, bool mouseButtonsSwapped)
{
    AppSettings s;
    s.trigger = triggerOf(settings);
    s.background = parseColour(settings.value("Color"));
    s.text = parseColour(settings.value("TextColor"));
    s.gray = parseColour(settings.value("Gray"));
    s.border = settings.flag("border");
    s.shadow = settings.flag("shadow");
    s.transparency = std::clamp(whole(settings.number("Transparency").value_or(0)), 0, 255);
    // Unreadable or not positive: the text control's own size.
    const double size = settings.number("FontSize").value_or(0);
    s.fontPointSize = size > 0 ? std::min(size, MaxPointSize) : DefaultPointSize;
    s.wrapWidthPx = settings.number("transwidth").value_or(DefaultWrapWidthPx);
    // 0 to 50 steps; anything unreadable is no glide.
    s.glideSteps = std::clamp(settings.number("SmoothGlide").value_or(0), 0.0, 50.0);
    // Fractions of a second are kept; the timer takes at most its longest interval.
    if (const auto seconds = settings.number("hideiconinterval"))
        s.iconRetireMs = numbertext::clampedWhole(*seconds * 1000, 0, Timer::MaxInterval);
    s.serviceCaption = settings.value("googlelabel");
    s.serviceAddress = settings.value("googlelink");

    s.serviceUrl = settings.value("serviceurl");
    s.language = settings.value("language");
    s.reconnectMs = secondsAsInterval(settings, "CheckConnectionInterval");
    s.translationTimeoutMs = secondsAsInterval(settings, "servertimeout");
    s.notConnectedText = settings.value("NotConnectedStr");
    s.timeoutText = settings.value("timeoutstr");
    // An unusable value lets the icon be offered.
    const auto iconIfNotConnected = settings.number("PopupIfNotConnected");
    s.iconWhenNotConnected = !iconIfNotConnected || *iconIfNotConnected != 0;

    s.primaryButton = mouseButtonsSwapped ? Qt::RightButton : Qt::LeftButton;
    s.secondaryButton = mouseButtonsSwapped ? Qt::LeftButton : Qt::RightButton;
    return s;
}
