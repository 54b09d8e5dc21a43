#include "common/Timer.h"

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

TEST(Timer, FiresOnlyWhenEnabledWithAnInterval)
{
    Timer timer;
    int fired = 0;
    QObject::connect(&timer, &Timer::timeout, [&] { ++fired; });

    timer.setEnabled(true);
    EXPECT_FALSE(timer.isRunning()) << "interval 0 is off";
    timer.setInterval(5);
    EXPECT_TRUE(timer.isRunning());
    QTest::qWait(40);
    EXPECT_GT(fired, 0);

    timer.setInterval(0);
    EXPECT_FALSE(timer.isRunning());
    EXPECT_TRUE(timer.isEnabled());
    timer.setInterval(100000);
    EXPECT_EQ(timer.interval(), Timer::MaxInterval);
    timer.setInterval(-5);
    EXPECT_EQ(timer.interval(), 0);
}

TEST(Timer, EnablingAgainDoesNotRestartButSettingTheIntervalDoes)
{
    Timer timer;
    int fired = 0;
    QObject::connect(&timer, &Timer::timeout, [&] { ++fired; });
    timer.setInterval(120);
    timer.setEnabled(true);

    // Re-enabling every 30 ms must not push the first tick back.
    QElapsedTimer clock;
    clock.start();
    while (fired == 0 && clock.elapsed() < 1000) {
        timer.setEnabled(true);
        QTest::qWait(30);
    }
    EXPECT_EQ(fired, 1);
    EXPECT_LT(clock.elapsed(), 600);

    // Setting the interval every 30 ms keeps restarting the countdown.
    fired = 0;
    clock.restart();
    timer.setInterval(300);
    while (clock.elapsed() < 500) {
        timer.setInterval(300);
        QTest::qWait(20);
    }
    EXPECT_EQ(fired, 0);
}
