#pragma once
#include "platform/Clock.h"

namespace platform {

// Wall clock and alarms through Qt's timers.
class QtClock : public Clock {
public:
    double secondsSinceMidnight() override;
    std::unique_ptr<Alarm> newAlarm(std::function<void()> ring) override;
};

} // namespace platform
