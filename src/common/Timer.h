#pragma once
#include "platform/Clock.h"

#include <QObject>
#include <memory>

// A timer with the program's semantics: it fires while it is enabled and its
// interval is above 0; enabling an enabled timer does not restart it, while setting
// the interval does. Intervals run from 0 to 65535 ms. A single-shot timer switches
// itself off when it fires. Time comes from the platform's clock, so tests run it.
class Timer : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxInterval = 65535;

    explicit Timer(platform::Clock& clock, QObject* parent = nullptr);
    ~Timer() override;

    // Values above the maximum are taken as the maximum, below 0 as 0 (off).
    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }
    // Off and on again: a full interval starts now.
    void restart();
    void setSingleShot(bool singleShot) { singleShot_ = singleShot; }
    // Enabled and with a non-zero interval.
    bool isRunning() const;
    // Milliseconds until the next tick; -1 when not running.
    int remainingMs() const;

signals:
    void timeout();

private:
    void arm();
    void ring();

    std::unique_ptr<platform::Alarm> alarm_;
    int interval_ = 0;
    bool enabled_ = false;
    bool singleShot_ = false;
};
