#pragma once

namespace platform {

// Time and waiting. Waits go through here so that tests can run them instantly.
class Clock {
public:
    virtual ~Clock() = default;

    // Seconds since local midnight, with fractions; falls back to 0 at midnight.
    virtual double secondsSinceMidnight() = 0;
    // Blocks the user-interface thread for the given milliseconds.
    virtual void sleepMs(int ms) = 0;
    // Lets pending window and timer events of the program run.
    virtual void processEvents() = 0;
};

} // namespace platform
