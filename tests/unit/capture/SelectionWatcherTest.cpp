#include "FakeDesktop.h"
#include "capture/SelectionWatcher.h"

#include <gtest/gtest.h>

namespace {

using platform::Input;

class Watcher : public testing::Test {
protected:
    FakeDesktop desktop;
    AppState state;
    QStringList calls;
    bool translateResult = true;
    bool overPopup = false;
    bool foregroundOk = true;
    bool watchActive = true;
    std::function<void()> duringTranslate;
    SelectionWatcher watcher{state, desktop,
                             {[this] { return foregroundOk; }, [this] { return watchActive; },
                              [this] { return overPopup; }, [this] { calls << "hide"; },
                              [this](int x, int y, int left) {
                                  calls << QString("translate %1,%2 left %3").arg(x).arg(y).arg(left);
                                  if (duringTranslate)
                                      duringTranslate();
                                  return translateResult;
                              },
                              [this](int x, int y) { calls << QString("open %1,%2").arg(x).arg(y); },
                              [this] { calls << "pressed"; }}};

    void SetUp() override
    {
        state.translationEnabled = true;
        state.primaryButton = 1;
        state.secondaryButton = 2;
        state.settings.set("ControlMode", "2");
    }
    void tick() { watcher.onWatchTick(); }
    void pointer(int x, int y) { desktop.fakeInput.cursor = QPoint(x, y); }
    void button(int vk, bool down)
    {
        if (down)
            desktop.fakeInput.buttonsDown.insert(vk);
        else
            desktop.fakeInput.buttonsDown.remove(vk);
    }
    void press(int x, int y, int vk = Input::LeftButton)
    {
        pointer(x, y);
        button(vk, true);
        tick();
    }
    void release(int x, int y, int vk = Input::LeftButton)
    {
        pointer(x, y);
        button(vk, false);
        tick();
    }
    void drag(int x0, int y0, int x1, int y1)
    {
        press(x0, y0);
        release(x1, y1);
    }
    void wait(double seconds) { desktop.fakeClock.now += seconds; }
    int translations() const { return calls.filter("translate").size(); }
};

TEST_F(Watcher, DragThresholds)
{
    struct Case {
        int dx, dy;
        bool selection;
    };
    const QList<Case> cases{{30, 10, false}, {31, 0, true},  {0, 11, true},  {-30, -10, false},
                            {-31, 0, true},  {0, -11, true}, {30, 0, false}, {0, 0, false}};
    for (const Case& c : cases) {
        calls.clear();
        wait(5); // no double click with the previous release
        drag(500, 400, 500 + c.dx, 400 + c.dy);
        EXPECT_EQ(translations(), c.selection ? 1 : 0) << c.dx << "," << c.dy;
        if (c.selection) {
            EXPECT_EQ(watcher.actionX, 500 + c.dx);
            EXPECT_EQ(watcher.actionY, 400 + c.dy);
        } else {
            EXPECT_EQ(watcher.actionX, 0);
            EXPECT_EQ(watcher.actionY, 0);
        }
    }
    // The request gets the left end of the drag, whichever way it went.
    calls.clear();
    wait(5);
    drag(500, 400, 600, 400);
    wait(5);
    drag(600, 400, 450, 400);
    EXPECT_EQ(calls.filter("translate"),
              QStringList({"translate 600,400 left 500", "translate 450,400 left 450"}));
}

TEST_F(Watcher, DoubleClickTimingAndDistance)
{
    struct Case {
        double gap;
        int dx, dy;
        bool doubleClick;
    };
    const QList<Case> cases{{0.5, 0, 0, true},   {0.99, 10, 5, true}, {0.5, 15, 0, true}, {0.5, 8, 8, false},
                            {0.5, 16, 0, false}, {1.0, 0, 0, false},  {1.5, 0, 0, false}};
    for (const Case& c : cases) {
        calls.clear();
        wait(5);
        drag(300, 300, 300, 300); // first click: plain
        EXPECT_EQ(translations(), 0);
        wait(c.gap);
        const int slept = desktop.fakeClock.sleptMs;
        drag(300 + c.dx, 300 + c.dy, 300 + c.dx, 300 + c.dy);
        EXPECT_EQ(translations(), c.doubleClick ? 1 : 0) << c.gap << " " << c.dx << "," << c.dy;
        EXPECT_EQ(desktop.fakeClock.sleptMs - slept, c.doubleClick ? 50 : 0) << "pause before a double click";
    }

    calls.clear(); // a triple click is two requests
    wait(5);
    for (int click = 0; click < 3; ++click, wait(0.2))
        drag(300, 300, 300, 300);
    EXPECT_EQ(translations(), 2);

    calls.clear(); // across midnight is no double click
    desktop.fakeClock.now = 86399.8;
    drag(300, 300, 300, 300);
    desktop.fakeClock.now = 0.1;
    drag(300, 300, 300, 300);
    EXPECT_EQ(translations(), 0);
}

TEST_F(Watcher, ControlModes)
{
    for (const QString mode : {"1", "2", "3", "abc", "7", ""}) {
        state.settings.set("ControlMode", mode);
        calls.clear();
        wait(5);
        drag(100, 100, 200, 100);
        const bool opensAtOnce = mode == "3";
        EXPECT_EQ(calls.filter("open").size(), opensAtOnce ? 1 : 0) << mode.toStdString();
        EXPECT_EQ(translations(), 1) << mode.toStdString();
    }
    translateResult = false;
    state.settings.set("ControlMode", "3");
    calls.clear();
    wait(5);
    drag(100, 100, 200, 100);
    EXPECT_TRUE(calls.filter("open").isEmpty()) << "nothing captured, nothing opened";
}

TEST_F(Watcher, ModeOneOpensNearTheEndOfTheSelection)
{
    state.settings.set("ControlMode", "1");
    drag(100, 100, 200, 100);
    ASSERT_EQ(translations(), 1);

    struct Case {
        int x, y;
        bool opens;
    };
    for (const Case& c : QList<Case>{{219, 100, true}, {181, 119, true}, {220, 100, false}, {200, 80, false}}) {
        calls.clear();
        watcher.actionX = 200;
        watcher.actionY = 100;
        wait(5);
        drag(c.x, c.y, c.x, c.y);
        EXPECT_EQ(calls.filter("open").size(), c.opens ? 1 : 0) << c.x << "," << c.y;
        if (c.opens) {
            EXPECT_EQ(watcher.actionX, 0) << "a second click there does nothing";
            calls.clear();
            wait(5);
            drag(c.x, c.y, c.x, c.y);
            EXPECT_TRUE(calls.filter("open").isEmpty());
        }
    }

    // A new drag that ends inside the square opens instead of translating.
    watcher.actionX = 200;
    watcher.actionY = 100;
    calls.clear();
    wait(5);
    drag(0, 100, 210, 105);
    EXPECT_EQ(calls.filter("open").size(), 1);
    EXPECT_EQ(translations(), 0);

    // No action point: the screen's top-left corner counts as near it.
    calls.clear();
    wait(5);
    drag(10, 10, 19, 19);
    EXPECT_EQ(calls.filter("open"), QStringList({"open 19,19"}));

    // A failed request keeps the action point.
    translateResult = false;
    wait(5);
    drag(400, 400, 600, 400);
    EXPECT_EQ(watcher.actionX, 600);
}

TEST_F(Watcher, PressesOutsideThePopupHideIt)
{
    press(10, 10);
    EXPECT_EQ(calls, QStringList({"hide", "pressed"}));
    release(10, 10);

    overPopup = true;
    calls.clear();
    press(10, 10);
    EXPECT_EQ(calls, QStringList({"pressed"}));
}

TEST_F(Watcher, HeldSecondaryButtonHidesOnEveryTick)
{
    watcher.actionX = 50;
    watcher.actionY = 60;
    button(Input::RightButton, true);
    tick();
    tick();
    tick();
    EXPECT_EQ(calls.count("hide"), 3);
    EXPECT_EQ(watcher.actionX, 0);
    EXPECT_EQ(watcher.actionY, 0);
    overPopup = true;
    tick();
    EXPECT_EQ(calls.count("hide"), 3);
}

TEST_F(Watcher, SwappedButtonsSelectWithThePhysicalRightButton)
{
    state.primaryButton = 2;
    state.secondaryButton = 1;
    press(100, 100, Input::RightButton);
    release(200, 100, Input::RightButton);
    EXPECT_EQ(translations(), 1);
    calls.clear();
    button(Input::LeftButton, true);
    tick();
    EXPECT_EQ(calls, QStringList({"hide"})) << "the physical left button is now the secondary one";
}

TEST_F(Watcher, IdleWatcherSeesTheChangeLater)
{
    state.translationEnabled = false;
    press(100, 100);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_FALSE(watcher.primaryWasDown);
    state.translationEnabled = true;
    tick();
    EXPECT_TRUE(watcher.primaryWasDown) << "the press is seen at the first active tick";

    watchActive = false;
    release(300, 100);
    EXPECT_TRUE(watcher.primaryWasDown);
    foregroundOk = false;
    watchActive = true;
    tick();
    EXPECT_TRUE(watcher.primaryWasDown) << "an excluded application in front ends the tick";
    foregroundOk = true;
    tick();
    EXPECT_EQ(translations(), 1);
}

TEST_F(Watcher, NestedTickDuringARequestDoesNotHandleTheReleaseAgain)
{
    // The capture lets pending events run; a timer tick may come in the middle.
    int nestedTicks = 0;
    duringTranslate = [&] {
        if (nestedTicks++ < 2)
            tick();
    };
    drag(100, 100, 300, 100);
    EXPECT_EQ(translations(), 1);
    EXPECT_EQ(nestedTicks, 1);
}

TEST_F(Watcher, ButtonNumbersBeyondThreeAreNeverDown)
{
    desktop.fakeInput.buttonsDown = {1, 2, 4};
    EXPECT_TRUE(watcher.isButtonDown(1));
    EXPECT_TRUE(watcher.isButtonDown(2));
    EXPECT_TRUE(watcher.isButtonDown(3));
    EXPECT_FALSE(watcher.isButtonDown(4));
    EXPECT_FALSE(watcher.isButtonDown(0));
}

} // namespace
