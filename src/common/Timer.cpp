#include "common/Timer.h"

#include <algorithm>

Timer::Timer(QObject* parent) : QObject(parent)
{
    connect(&timer_, &QTimer::timeout, this, &Timer::timeout);
}

void Timer::setInterval(int ms)
{
    interval_ = std::clamp(ms, 0, MaxInterval);
    restart();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    restart();
}

void Timer::restart()
{
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
    else
        timer_.stop();
}
