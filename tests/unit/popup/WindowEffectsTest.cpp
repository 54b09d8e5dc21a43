#include "PopupFixture.h"

#include <QWidget>
#include <vector>

namespace {

using WindowEffectsTest = PopupFixture;

TEST_F(WindowEffectsTest, TransparencyIsAlphaOf255MinusTheLevelClampedToTheRange)
{
    struct Case {
        int level;
        int applied;
    };
    QWidget window;
    for (const Case c : {Case{20, 20}, {0, 0}, {255, 255}, {300, 255}, {-40, 0}, {100, 100}}) {
        popup.effects().setTransparency(&window, c.level);
        EXPECT_EQ(WindowEffects::transparencyLevel(&window), c.applied) << c.level;
        EXPECT_NEAR(window.windowOpacity(), (255 - c.applied) / 255.0, 1.0 / 255) << c.level;
    }
    popup.effects().setTransparency(nullptr, 20); // no window: nothing happens

    state.osVersion = 499; // no layered windows: no transparency at all
    QWidget opaque;
    popup.effects().setTransparency(&opaque, 100);
    EXPECT_EQ(WindowEffects::transparencyLevel(&opaque), 0);
    EXPECT_DOUBLE_EQ(opaque.windowOpacity(), 1.0);
}

TEST_F(WindowEffectsTest, FadeStepsTheLevelEvery30Ms)
{
    struct Case {
        int from, to, steps;
        std::vector<int> levels;
    };
    const Case cases[] = {
        {20, 255, 3, {98, 177, 255}},            // popup hide
        {100, 255, 5, {131, 162, 193, 224, 255}}, // icon hide
        {255, 0, 2, {128, 0}},                   // halves to even: 127.5 -> 128
        {10, 50, 0, {}},                         // no steps: nothing at all
    };
    for (const Case& c : cases) {
        QWidget window;
        std::vector<int> seen;
        desktop.fakeClock.sleptMs = 0;
        desktop.fakeClock.onProcessEvents = [&] { seen.push_back(WindowEffects::transparencyLevel(&window)); };
        popup.effects().fade(&window, c.from, c.to, c.steps);
        EXPECT_EQ(seen, c.levels) << c.from << "->" << c.to;
        EXPECT_EQ(desktop.fakeClock.sleptMs, 30 * int(c.levels.size()));
    }
}

TEST_F(WindowEffectsTest, FadeCompletesWhenTheWindowGoesAwayMidway)
{
    auto* window = new QWidget;
    int steps = 0;
    desktop.fakeClock.onProcessEvents = [&] {
        if (++steps == 2)
            delete window;
    };
    popup.effects().fade(window, 0, 255, 4);
    EXPECT_EQ(steps, 4);
}

TEST_F(WindowEffectsTest, TopmostMovesUnlessACoordinateIsZeroAndShowsWithoutActivating)
{
    struct Case {
        int x, y;
        bool show;
        QPoint expected;
    };
    for (const Case c : {Case{0, 0, true, {100, 200}}, {300, 0, true, {300, 200}}, {0, 50, false, {100, 50}},
                         {300, 400, false, {300, 400}}}) {
        QWidget window;
        window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        window.setGeometry(100, 200, 40, 30);
        popup.effects().setTopmost(&window, true, c.show, c.x, c.y);
        EXPECT_EQ(window.pos(), c.expected) << c.x << "," << c.y;
        EXPECT_EQ(window.size(), QSize(40, 30)) << "the size is kept";
        EXPECT_EQ(window.isVisible(), c.show);
        EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        if (c.show) {
            EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));
        }
    }
    // Leaving the topmost band keeps a shown window shown.
    QWidget window;
    window.setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    window.show();
    popup.effects().setTopmost(&window, false, false, 0, 0);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
}

// The popup at `start` (pixels) gliding; every step's geometry is recorded.
class Glide : public PopupFixture {
protected:
    std::vector<QRect> steps;
    bool glidingSeen = false;

    void glide(QRect start, int W, int H, int L)
    {
        translationWindow().setGeometry(start);
        translationWindow().show();
        desktop.fakeClock.onProcessEvents = [&] {
            steps.push_back(translationWindow().geometry());
            glidingSeen = glidingSeen || state.gliding;
        };
        popup.effects().glide(&translationWindow(), W, H, L);
        desktop.fakeClock.onProcessEvents = nullptr;
    }
    std::vector<int> widths(size_t from, size_t to) const
    {
        std::vector<int> out;
        for (size_t i = from; i < to; ++i)
            out.push_back(steps[i].width());
        return out;
    }
};

TEST_F(Glide, GrowsTheWidthAndMovesTheLeftEdgeThenGrowsTheHeight)
{
    // SmoothGlide 10: speed 2, first steps 1000 twips. From 16 x 30 px at x 500 to
    // 200 x 100 px with the left edge at 400 px.
    glide(QRect(500, 300, 16, 30), 3000, 1500, 6000);
    ASSERT_EQ(steps.size(), 15u);
    EXPECT_EQ(widths(0, 8), (std::vector<int>{108, 154, 177, 188, 194, 197, 198, 199}));
    std::vector<int> lefts, heights;
    for (size_t i = 0; i < 8; ++i)
        lefts.push_back(steps[i].x());
    for (size_t i = 8; i < 15; ++i)
        heights.push_back(steps[i].height());
    EXPECT_EQ(lefts, (std::vector<int>{450, 425, 412, 406, 403, 402, 401, 400}));
    EXPECT_EQ(heights, (std::vector<int>{65, 82, 91, 96, 98, 99, 100}));
    for (size_t i = 8; i < 15; ++i)
        EXPECT_EQ(steps[i].width(), 200) << "the width is complete before the height starts";
    EXPECT_EQ(translationWindow().geometry(), QRect(400, 300, 200, 100));
    EXPECT_EQ(desktop.fakeClock.sleptMs, 15 * 30);
    EXPECT_TRUE(glidingSeen);
    EXPECT_FALSE(state.gliding);
    // The shadow lies over the popup and reaches 5 px beyond it.
    EXPECT_TRUE(popup.shadow().isVisible());
    EXPECT_EQ(popup.shadow().geometry(), QRect(400, 300, 205, 105));
    EXPECT_EQ(popup.shadow().picture().size(), QSize(205, 105));
}

TEST_F(Glide, ShrinkingAndRightwardTargetsAreNotAnimated)
{
    struct Case {
        const char* smoothGlide;
        int expectedLeft;
    };
    // A smaller size is set at once; the left edge only ever moves leftwards while
    // gliding, but a jump (SmoothGlide 0) sets it.
    for (const Case c : {Case{"10", 100}, {"0", 300}, {"abc", 300}}) {
        steps.clear();
        state.settings.set("SmoothGlide", c.smoothGlide);
        glide(QRect(100, 100, 300, 200), 100 * 15, 50 * 15, 300 * 15);
        EXPECT_TRUE(steps.empty()) << c.smoothGlide;
        EXPECT_EQ(translationWindow().geometry(), QRect(c.expectedLeft, 100, 100, 50)) << c.smoothGlide;
    }
}

TEST_F(Glide, AnEqualWidthSkipsTheWidthPhase)
{
    glide(QRect(100, 100, 200, 30), 200 * 15, 60 * 15, 0);
    ASSERT_FALSE(steps.empty());
    for (const QRect& step : steps)
        EXPECT_EQ(step.topLeft(), QPoint(100, 100)) << "no width phase, so the left edge stays";
    EXPECT_EQ(translationWindow().size(), QSize(200, 60));
}

TEST_F(Glide, TheSmoothestGlideTakesMoreStepsToTheSameTarget)
{
    glide(QRect(900, 100, 16, 30), 600 * 15, 700 * 15, 300 * 15);
    const size_t atSpeed2 = steps.size();
    steps.clear();
    state.settings.set("SmoothGlide", "50");
    glide(QRect(900, 100, 16, 30), 600 * 15, 700 * 15, 300 * 15);
    EXPECT_EQ(translationWindow().geometry(), QRect(300, 100, 600, 700));
    EXPECT_GT(steps.size(), 2 * atSpeed2);
}

TEST_F(Glide, ANewerGlideOvertakesTheRunningOne)
{
    translationWindow().setGeometry(500, 100, 16, 30);
    translationWindow().show();
    int calls = 0;
    desktop.fakeClock.onProcessEvents = [&] {
        // A result arrives during the first step and glides to a smaller target.
        if (++calls == 1)
            popup.effects().glide(&translationWindow(), 100 * 15, 40 * 15, 450 * 15);
    };
    popup.effects().glide(&translationWindow(), 300 * 15, 200 * 15, 200 * 15);
    EXPECT_EQ(popup.effects().glideCounter(), 2);
    EXPECT_FALSE(state.gliding);
    // The older glide stopped without completing its own target...
    EXPECT_LT(translationWindow().width(), 300);
    EXPECT_EQ(translationWindow().height(), 40);
    // ...and its shadow step ran last, with its own size.
    EXPECT_EQ(popup.shadow().size(), QSize(305, 205));
}

TEST_F(Glide, TheShadowStaysHidden)
{
    const char* const cases[] = {"shadow off", "no compositor", "popup hidden while gliding"};
    for (int i = 0; i < 3; ++i) {
        popup.shadow().show();
        state.settings.set("Shadow", i == 0 ? "0" : "1");
        desktop.fakeScreen.compositing = i != 1;
        translationWindow().setGeometry(200, 150, 16, 30);
        translationWindow().show();
        desktop.fakeClock.onProcessEvents = [&] {
            if (i == 2)
                translationWindow().hide();
        };
        popup.effects().glide(&translationWindow(), 300 * 15, 100 * 15, 200 * 15);
        EXPECT_FALSE(popup.shadow().isVisible()) << cases[i];
        EXPECT_EQ(translationWindow().size(), QSize(300, 100)) << cases[i] << ": the glide still completes";
    }
}

} // namespace
