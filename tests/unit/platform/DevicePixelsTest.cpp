// Device pixels of the display server against Qt's device-independent pixels, on
// monitors of different scales side by side.
#include "platform/qt/DevicePixels.h"

#include <gtest/gtest.h>

using namespace platform::qt;

TEST(DevicePixels, EachMonitorKeepsItsCornerAndScalesWhatLiesWithinIt)
{
    // 640 device pixels at scale 1, then 640 x 1024 device pixels at scale 2.
    const QList<MonitorScale> monitors{{QRect(0, 0, 640, 1024), 1.0}, {QRect(640, 0, 320, 512), 2.0}};
    EXPECT_EQ(toIndependent(QPoint(100, 700), monitors), QPoint(100, 700));
    EXPECT_EQ(toIndependent(QPoint(1000, 501), monitors), QPoint(820, 251)) << "halves round away from zero";
    EXPECT_EQ(toDevice(QPoint(820, 250), monitors), QPoint(1000, 500));
    EXPECT_EQ(toIndependent(QPoint(2000, 2000), monitors), QPoint(1320, 1000)) << "outside: the nearest monitor";
    EXPECT_EQ(toIndependent(QRect(700, 100, 200, 100), monitors), QRect(670, 50, 100, 50));
    EXPECT_EQ(toIndependent(QRect(600, 0, 140, 10), monitors), QRect(600, 0, 90, 5)) << "across the seam";

    const QList<MonitorScale> oneAndAHalf{{QRect(0, 0, 853, 683), 1.5}};
    EXPECT_EQ(toIndependent(QPoint(300, 301), oneAndAHalf), QPoint(200, 201));
    EXPECT_EQ(toDevice(QPoint(200, 200), oneAndAHalf), QPoint(300, 300));
    EXPECT_EQ(toIndependent(QPoint(5, 6), {}), QPoint(5, 6)) << "no monitors known: unchanged";
}
