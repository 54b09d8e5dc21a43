#pragma once
#include "platform/Clock.h"

namespace platform {

// Wall clock, sleeps and event processing through Qt.
class QtClock : public Clock {
public:
    double secondsSinceMidnight() override;
    void sleepMs(int ms) override;
    void processEvents() override;
};

} // namespace platform
