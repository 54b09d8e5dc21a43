#pragma once
#include "platform/Clock.h"

#include <QAnimationDriver>
#include <QList>
#include <cstdint>

namespace platform::fake {

// Time that stands still until the test advances it. Alarms ring, in order, as advance()
// passes their moment, and the toolkit's animations (fades, glides) follow the same
// time while this clock exists.
class FakeClock : public Clock {
public:
    FakeClock();
    ~FakeClock() override;
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    // The time of day, seconds since midnight.
    double now = 12 * 3600.0;

    // Lets ms milliseconds pass, a millisecond at a time: every alarm due meanwhile
    // rings (also those set by another that rang) and animations take their steps.
    void advance(int ms);
    // Milliseconds passed since the clock was made.
    qint64 elapsedMs() const { return elapsed_; }

    double secondsSinceMidnight() override { return now; }
    std::unique_ptr<Alarm> newAlarm(std::function<void()> ring) override;

private:
    void startAnimations();

    class FakeAlarm;
    class Driver;
    friend class FakeAlarm;

    qint64 elapsed_ = 0;
    QList<FakeAlarm*> alarms_;
    std::unique_ptr<Driver> driver_;
};

} // namespace platform::fake
