#include "popup/ShadowPicture.h"
#include "popup/ShadowWindow.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

int alphaAt(const QImage& picture, int x, int y)
{
    return qAlpha(picture.pixel(x, y));
}

// The glide's picture for a 300 x 100 px popup: 305 x 105 with a 5-px shadow.
TEST(shadowPicture, FadesAlongTheRightAndBottomAndAtThreeCorners)
{
    const int w = 305, h = 105, s = 5;
    const QImage picture = shadowPicture(w, h, s);
    ASSERT_EQ(picture.size(), QSize(w, h));
    ASSERT_EQ(picture.format(), QImage::Format_ARGB32_Premultiplied);

    struct Probe {
        const char* where;
        int x, y;
        int minAlpha, maxAlpha;
    };
    const Probe probes[] = {
        {"under the popup", 150, 50, 0, 0},
        {"along the top", 150, 0, 0, 0},
        {"along the left", 0, 50, 0, 0},
        {"top-left corner", 2, 2, 0, 0},
        {"right band, inner column", w - s, 50, 54, 60},
        {"right band, outer column", w - 1, 50, 4, 9},
        {"bottom band, inner row", 150, h - s, 54, 60},
        {"bottom band, outer row", 150, h - 1, 4, 9},
        {"bottom-right, inner corner", w - s, h - s, 50, 58},
        {"bottom-right, outer corner", w - 1, h - 1, 0, 0},
        {"top-right, at the top", w - s, 0, 1, 20},
        {"bottom-left, at the left", 0, h - s, 1, 20},
        {"top-right, inner corner", w - s, s - 1, 50, 58},
    };
    for (const Probe& p : probes) {
        const int alpha = alphaAt(picture, p.x, p.y);
        EXPECT_GE(alpha, p.minAlpha) << p.where;
        EXPECT_LE(alpha, p.maxAlpha) << p.where;
        EXPECT_EQ(qRed(picture.pixel(p.x, p.y)), 0) << p.where << ": the shadow is black";
    }
    // The bands fade outwards step by step.
    for (int x = w - s; x < w - 1; ++x)
        EXPECT_GT(alphaAt(picture, x, 50), alphaAt(picture, x + 1, 50));
    for (int y = h - s; y < h - 1; ++y)
        EXPECT_GT(alphaAt(picture, 150, y), alphaAt(picture, 150, y + 1));
}

TEST(shadowPicture, NothingToPaintGivesNoPicture)
{
    for (const QSize size : {QSize(0, 50), QSize(50, 0), QSize(-3, 10)})
        EXPECT_TRUE(shadowPicture(size.width(), size.height(), 5).isNull());
    // Smaller than two shadow widths: the corners overlap, the bands are left out.
    const QImage tiny = shadowPicture(6, 6, 5);
    ASSERT_FALSE(tiny.isNull());
    EXPECT_EQ(alphaAt(tiny, 0, 0), 0);
}

TEST(drawShadow, SizesTheWindowAndKeepsThePreviousPictureOnFailure)
{
    ShadowWindow shadow;
    ASSERT_TRUE(drawShadow(shadow, 105, 45, 5));
    EXPECT_EQ(shadow.size(), QSize(105, 45));
    EXPECT_EQ(shadow.picture().size(), QSize(105, 45));
    EXPECT_FALSE(shadow.isVisible()) << "drawing neither moves nor shows";

    EXPECT_FALSE(drawShadow(shadow, 0, 45, 5));
    EXPECT_EQ(shadow.picture().size(), QSize(105, 45));
}

} // namespace
