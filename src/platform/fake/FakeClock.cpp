#include "platform/fake/FakeClock.h"

#include <QCoreApplication>
#include <algorithm>

namespace platform::fake {

class FakeClock::FakeAlarm : public Alarm {
public:
    FakeAlarm(FakeClock& clock, std::function<void()> ring) : clock_(clock), ring_(std::move(ring))
    {
        clock_.alarms_.append(this);
    }
    ~FakeAlarm() override { clock_.alarms_.removeOne(this); }

    void start(int ms) override { due_ = clock_.elapsed_ + std::max(ms, 0); }
    void stop() override { due_ = -1; }
    bool isActive() const override { return due_ >= 0; }
    int remainingMs() const override { return due_ < 0 ? -1 : int(due_ - clock_.elapsed_); }

    // Rings when its moment has come.
    bool ringIfDue()
    {
        if (due_ < 0 || due_ > clock_.elapsed_)
            return false;
        due_ = -1;
        ring_();
        return true;
    }

private:
    FakeClock& clock_;
    std::function<void()> ring_;
    qint64 due_ = -1;
};

// Gives the toolkit's animations the clock's time instead of the real one. Its time
// counts from its own start, as the toolkit expects.
class FakeClock::Driver : public QAnimationDriver {
public:
    explicit Driver(const FakeClock& clock) : clock_(clock) {}
    qint64 elapsed() const override { return clock_.elapsed_ - startedAt_; }

protected:
    void start() override
    {
        startedAt_ = clock_.elapsed_;
        QAnimationDriver::start();
    }

private:
    const FakeClock& clock_;
    qint64 startedAt_ = 0;
};

FakeClock::FakeClock() : driver_(std::make_unique<Driver>(*this))
{
    driver_->install();
}

FakeClock::~FakeClock()
{
    driver_->uninstall();
}

std::unique_ptr<Alarm> FakeClock::newAlarm(std::function<void()> ring)
{
    return std::make_unique<FakeAlarm>(*this, std::move(ring));
}

void FakeClock::advance(int ms)
{
    for (int left = ms; left > 0;) {
        startAnimations();
        // While nothing animates, time jumps to the next alarm.
        int step = 1;
        if (!driver_->isRunning()) {
            qint64 next = elapsed_ + left;
            for (const FakeAlarm* alarm : alarms_)
                if (alarm->isActive())
                    next = std::min(next, elapsed_ + std::max(alarm->remainingMs(), 1));
            step = int(std::max<qint64>(next - elapsed_, 1));
        }
        elapsed_ += step;
        now += step / 1000.0;
        left -= step;
        // An alarm that rings may set or remove others: look again after each.
        for (bool rang = true; rang;) {
            rang = false;
            for (FakeAlarm* alarm : QList<FakeAlarm*>(alarms_))
                if (alarms_.contains(alarm) && alarm->ringIfDue()) {
                    rang = true;
                    break;
                }
        }
        if (driver_->isRunning())
            driver_->advance();
    }
    startAnimations();
}

void FakeClock::startAnimations()
{
    // The toolkit starts an animation from the event loop, with queued calls (one
    // queues the next).
    for (int round = 0; round < 3; ++round)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

} // namespace platform::fake
