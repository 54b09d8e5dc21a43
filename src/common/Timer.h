#pragma once
#include <QObject>
#include <QTimer>

// A timer with the program's semantics: it fires while it is enabled and its
// interval is above 0; enabling an enabled timer does not restart it, while setting
// the interval does. Intervals run from 0 to 65535 ms.
class Timer : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxInterval = 65535;

    explicit Timer(QObject* parent = nullptr);

    // Values above the maximum are taken as the maximum, below 0 as 0 (off).
    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }
    // Enabled and with a non-zero interval.
    bool isRunning() const { return timer_.isActive(); }
    // Milliseconds until the next tick; -1 when not running.
    int remainingMs() const { return timer_.remainingTime(); }

signals:
    void timeout();

private:
    void restart();

    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = false;
};
