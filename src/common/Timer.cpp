#include "common/Timer.h"

#include <algorithm>

Timer::Timer(platform::Clock& clock, QObject* parent) : QObject(parent), alarm_(clock.newAlarm([this] { ring(); })) {}

Timer::~Timer() = default;

void Timer::setInterval(int ms)
{
    interval_ = std::clamp(ms, 0, MaxInterval);
    arm();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    arm();
}

void Timer::restart()
{
    enabled_ = true;
    arm();
}

bool Timer::isRunning() const
{
    return alarm_->isActive();
}

int Timer::remainingMs() const
{
    return alarm_->remainingMs();
}

void Timer::arm()
{
    if (enabled_ && interval_ > 0)
        alarm_->start(interval_);
    else
        alarm_->stop();
}

void Timer::ring()
{
    if (singleShot_)
        enabled_ = false;
    else
        arm();
    emit timeout();
}
