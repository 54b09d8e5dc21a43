#pragma once
// Measures how long the event loop went without turning: a short timer notes the
// longest gap between its ticks while the program runs.

#include <QElapsedTimer>
#include <QTimer>

class EventLoopProbe {
public:
    static constexpr int TickMs = 50;

    EventLoopProbe()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            longestGapMs_ = std::max(longestGapMs_, sinceTick_.restart());
            ++ticks_;
        });
        sinceTick_.start();
        timer_.start(TickMs);
    }

    // The longest time between two turns so far, in milliseconds.
    qint64 longestGapMs() const { return std::max(longestGapMs_, sinceTick_.elapsed()); }
    int ticks() const { return ticks_; }

private:
    QTimer timer_;
    QElapsedTimer sinceTick_;
    qint64 longestGapMs_ = 0;
    int ticks_ = 0;
};
