#include "platform/qt/QtClock.h"

#include <QTime>
#include <QTimer>

namespace platform {
namespace {

class QtAlarm : public Alarm {
public:
    explicit QtAlarm(std::function<void()> ring)
    {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(ring));
    }
    void start(int ms) override { timer_.start(ms); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }
    int remainingMs() const override { return timer_.remainingTime(); }

private:
    QTimer timer_;
};

} // namespace

double QtClock::secondsSinceMidnight()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

std::unique_ptr<Alarm> QtClock::newAlarm(std::function<void()> ring)
{
    return std::make_unique<QtAlarm>(std::move(ring));
}

} // namespace platform
