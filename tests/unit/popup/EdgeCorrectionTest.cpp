#include "popup/EdgeCorrection.h"

#include <gtest/gtest.h>

namespace {

// Twips of a 1024 x 768 monitor at 15 twips per pixel, and of a second one right of it.
const QRect First(0, 0, 1024 * 15, 768 * 15);
const QRect Second(1024 * 15, 0, 1280 * 15, 1024 * 15);

TEST(EdgeCorrection, PullsBackAtTheRightAndRaisesAtTheBottomOnly)
{
    struct Case {
        const char* name;
        int left, top;
        QRect monitor;
        bool offMonitors;
        EdgePlacement expected;
    };
    const int W = 3000, H = 1500;
    const Case cases[] = {
        {"inside", 1000, 1000, First, false, {1000, 1000, false}},
        {"past the right edge", 14000, 1000, First, false, {15360 - W, 1000, false}},
        {"past the bottom", 1000, 11000, First, false, {1000, 11520 - H, true}},
        {"bottom-right corner", 14000, 11000, First, false, {15360 - W, 11520 - H, true}},
        {"left and top are never corrected", -500, -200, First, false, {-500, -200, false}},
        {"starting right of the monitor, on a neighbour", 15360, 11000, First, false, {15360, 11000, false}},
        {"starting right of the monitor, on none", 15360, 11000, First, true, {15360 - W, 11520 - H, true}},
        {"second monitor's right edge", 33000, 1000, Second, false, {34560 - W, 1000, false}},
        {"second monitor is taller", 20000, 13000, Second, false, {20000, 13000, false}},
    };
    for (const Case& c : cases) {
        const EdgePlacement placed = correctAtMonitorEdges(c.left, c.top, W, H, c.monitor, c.offMonitors);
        EXPECT_EQ(placed.left, c.expected.left) << c.name;
        EXPECT_EQ(placed.top, c.expected.top) << c.name;
        EXPECT_EQ(placed.raised, c.expected.raised) << c.name;
    }
}

} // namespace
