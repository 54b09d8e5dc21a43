// Transparency, fades, the topmost band, the glide and the icon's clickable pictures.
#include "PopupFixture.h"
#include "common/WindowEffects.h"
#include "popup/IconPicture.h"

#include <QSignalSpy>
#include <QTest>
#include <vector>

namespace {

using WindowEffectsTest = PopupFixture;

TEST_F(WindowEffectsTest, TransparencyIsClampedFadesStepEvery30MsAndTopmostNeverActivates)
{
    QWidget window;
    for (const auto& [level, applied] : {std::pair{20, 20}, {300, 255}, {-40, 0}}) {
        popup.effects().setTransparency(&window, level);
        EXPECT_EQ(WindowEffects::transparencyLevel(&window), applied) << level;
        EXPECT_NEAR(window.windowOpacity(), (255 - applied) / 255.0, 1.0 / 255) << level;
    }
    state.osVersion = 499;
    popup.effects().setTransparency(&window, 100);
    EXPECT_EQ(WindowEffects::transparencyLevel(&window), 0) << "no layered windows, no transparency";
    state.osVersion = 600;

    std::vector<int> seen;
    desktop.fakeClock.onProcessEvents = [&] { seen.push_back(WindowEffects::transparencyLevel(&window)); };
    popup.effects().fade(&window, 255, 0, 2);
    popup.effects().fade(&window, 10, 50, 0);
    EXPECT_EQ(seen, (std::vector<int>{128, 0})) << "halves to even; no steps, no fade";
    EXPECT_EQ(desktop.fakeClock.sleptMs, 60);
    auto* doomed = new QWidget;
    int steps = 0;
    desktop.fakeClock.onProcessEvents = [&] {
        if (++steps == 2)
            delete doomed;
    };
    popup.effects().fade(doomed, 0, 255, 4);
    EXPECT_EQ(steps, 4) << "a window deleted midway ends no fade early";

    for (const auto& [x, y, show, expected] : {std::tuple{0, 0, true, QPoint(100, 200)},
                                               {300, 0, true, QPoint(300, 200)}, {0, 50, false, QPoint(100, 50)}}) {
        QWidget placed;
        placed.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        placed.setGeometry(100, 200, 40, 30);
        popup.effects().setTopmost(&placed, true, show, x, y);
        EXPECT_EQ(placed.geometry(), QRect(expected, QSize(40, 30))) << "a 0 coordinate is kept";
        EXPECT_EQ(placed.isVisible(), show);
        EXPECT_TRUE(placed.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(placed.testAttribute(Qt::WA_ShowWithoutActivating), show);
    }
    window.setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    window.show();
    popup.effects().setTopmost(&window, false, false, 0, 0);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible()) << "leaving the band keeps a shown window shown";
}

class GlideTest : public PopupFixture {
protected:
    std::vector<QRect> steps;
    bool glidingSeen = false;

    void glide(QRect start, int W, int H, int L)
    {
        window().setGeometry(start);
        window().show();
        desktop.fakeClock.onProcessEvents = [&] {
            steps.push_back(window().geometry());
            glidingSeen = glidingSeen || state.gliding;
        };
        popup.glide().glide(&window(), W, H, L);
        desktop.fakeClock.onProcessEvents = nullptr;
    }
};

TEST_F(GlideTest, GrowsTheWidthAndMovesTheLeftEdgeThenTheHeightAndEndsWithTheShadow)
{
    // SmoothGlide 10: speed 2. From 16 x 30 px at x 500 to 200 x 100 px at x 400.
    glide(QRect(500, 300, 16, 30), 3000, 1500, 6000);
    ASSERT_EQ(steps.size(), 15u);
    std::vector<int> widths, lefts, heights;
    for (size_t i = 0; i < 15; ++i) {
        (i < 8 ? widths : heights).push_back(i < 8 ? steps[i].width() : steps[i].height());
        if (i < 8)
            lefts.push_back(steps[i].x());
    }
    EXPECT_EQ(widths, (std::vector<int>{108, 154, 177, 188, 194, 197, 198, 199}));
    EXPECT_EQ(lefts, (std::vector<int>{450, 425, 412, 406, 403, 402, 401, 400}));
    EXPECT_EQ(heights, (std::vector<int>{65, 82, 91, 96, 98, 99, 100}));
    EXPECT_EQ(steps[8].width(), 200) << "the width is complete before the height starts";
    EXPECT_EQ(window().geometry(), QRect(400, 300, 200, 100));
    EXPECT_EQ(desktop.fakeClock.sleptMs, 15 * 30);
    EXPECT_TRUE(glidingSeen);
    EXPECT_FALSE(state.gliding);
    EXPECT_TRUE(popup.shadow().isVisible());
    EXPECT_EQ(popup.shadow().geometry(), QRect(400, 300, 205, 105));

    // Shrinking, or SmoothGlide 0, sets the size at once; only a jump moves the left
    // edge rightwards. An equal width skips the width phase.
    for (const auto& [smooth, left] : {std::pair{"10", 100}, {"0", 300}, {"abc", 300}}) {
        steps.clear();
        state.settings.set("SmoothGlide", smooth);
        glide(QRect(100, 100, 300, 200), 100 * 15, 50 * 15, 300 * 15);
        EXPECT_TRUE(steps.empty()) << smooth;
        EXPECT_EQ(window().geometry(), QRect(left, 100, 100, 50)) << smooth;
    }
    state.settings.set("SmoothGlide", "50");
    glide(QRect(900, 100, 16, 30), 600 * 15, 700 * 15, 300 * 15);
    EXPECT_EQ(window().geometry(), QRect(300, 100, 600, 700));
    EXPECT_GT(steps.size(), 30u) << "the smoothest glide takes more steps";
}

TEST_F(GlideTest, ANewerGlideOvertakesAndTheShadowAppearsOnlyWhereItCanBeSeen)
{
    window().setGeometry(500, 100, 16, 30);
    window().show();
    int calls = 0;
    desktop.fakeClock.onProcessEvents = [&] {
        if (++calls == 1)
            popup.glide().glide(&window(), 100 * 15, 40 * 15, 450 * 15);
    };
    popup.glide().glide(&window(), 300 * 15, 200 * 15, 200 * 15);
    EXPECT_EQ(popup.glide().glideCounter(), 2);
    EXPECT_FALSE(state.gliding);
    EXPECT_LT(window().width(), 300) << "the older glide stopped short";
    EXPECT_EQ(window().height(), 40);
    EXPECT_EQ(popup.shadow().size(), QSize(305, 205)) << "its shadow step still ran, last";

    const char* const cases[] = {"shadow off", "no compositor", "popup hidden while gliding"};
    for (int i = 0; i < 3; ++i) {
        popup.shadow().show();
        state.settings.set("Shadow", i == 0 ? "0" : "1");
        desktop.fakeScreen.compositing = i != 1;
        window().setGeometry(200, 150, 16, 30);
        window().show();
        desktop.fakeClock.onProcessEvents = [&] {
            if (i == 2)
                window().hide();
        };
        popup.glide().glide(&window(), 300 * 15, 100 * 15, 200 * 15);
        EXPECT_FALSE(popup.shadow().isVisible()) << cases[i];
        EXPECT_EQ(window().size(), QSize(300, 100)) << cases[i] << ": the glide still completes";
    }
}

TEST(ClickableLabels, OnlyAFullLeftClickInsideCountsAndEveryPressIsReported)
{
    IconPicture picture(nullptr);
    picture.resize(16, 16);
    QSignalSpy clicks(&picture, &ClickableLabel::clicked);
    QSignalSpy downs(&picture, &IconPicture::mouseDown);
    QTest::mouseRelease(&picture, Qt::LeftButton); // no press before it
    QTest::mousePress(&picture, Qt::LeftButton);
    QTest::mouseRelease(&picture, Qt::LeftButton, {}, QPoint(500, 3)); // released outside
    QTest::mouseClick(&picture, Qt::RightButton);
    QTest::mouseClick(&picture, Qt::MiddleButton);
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseClick(&picture, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    QList<int> reported;
    for (const QList<QVariant>& down : downs)
        reported.append(down.at(0).toInt());
    EXPECT_EQ(reported, (QList<int>{1, 2, 4, 1})) << "left 1, right 2, middle 4";
}

} // namespace
