#pragma once
#include <functional>
#include <memory>

namespace platform {

// A single alarm that rings once, from the event loop, when its time has come.
class Alarm {
public:
    virtual ~Alarm() = default;
    // Rings after ms milliseconds; a running alarm starts over.
    virtual void start(int ms) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    // Milliseconds until it rings; -1 when it is not set.
    virtual int remainingMs() const = 0;
};

// Time: the time of day and the program's alarms. Everything that waits goes through
// here, so that tests can run time themselves.
class Clock {
public:
    virtual ~Clock() = default;

    // Seconds since local midnight, with fractions; falls back to 0 at midnight.
    virtual double secondsSinceMidnight() = 0;
    // An alarm that calls ring when it goes off.
    virtual std::unique_ptr<Alarm> newAlarm(std::function<void()> ring) = 0;
};

} // namespace platform
