// The watcher's decisions: which releases finish a selection, double clicks, the
// three ways of triggering, and the dismissal presses.
#include "FakeDesktop.h"
#include "capture/SelectionWatcher.h"

#include <gtest/gtest.h>

namespace {

using platform::Input;

class SelectionWatcherTest : public testing::Test {
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
    }
    void tick() { watcher.onWatchTick(); }
    void button(int vk, bool down, int x, int y)
    {
        desktop.fakeInput.cursor = QPoint(x, y);
        if (down)
            desktop.fakeInput.buttonsDown.insert(vk);
        else
            desktop.fakeInput.buttonsDown.remove(vk);
        tick();
    }
    // A press and a release, well apart in time from the one before.
    void drag(int x0, int y0, int x1, int y1, double pause = 5)
    {
        desktop.fakeClock.now += pause;
        button(Input::LeftButton, true, x0, y0);
        button(Input::LeftButton, false, x1, y1);
    }
    int count(const QString& call) const { return calls.filter(call).size(); }
};

TEST_F(SelectionWatcherTest, ADragBeyondTheThresholdsIsASelection)
{
    const std::tuple<int, int, bool> cases[] = {{30, 10, false}, {31, 0, true},   {0, 11, true}, {-30, -10, false},
                                                {-31, 0, true},  {0, -11, true},  {0, 0, false}};
    for (const auto& [dx, dy, selection] : cases) {
        calls.clear();
        drag(500, 400, 500 + dx, 400 + dy);
        EXPECT_EQ(count("translate"), selection ? 1 : 0) << dx << "," << dy;
        EXPECT_EQ(watcher.actionX, selection ? 500 + dx : 0);
        EXPECT_EQ(watcher.actionY, selection ? 400 + dy : 0);
    }
    calls.clear();
    drag(500, 400, 600, 400);
    drag(600, 400, 450, 400);
    EXPECT_EQ(calls.filter("translate"), QStringList({"translate 600,400 left 500", "translate 450,400 left 450"}))
        << "the request gets the left end of the drag";
    EXPECT_EQ(calls.count("pressed"), 2);
}

TEST_F(SelectionWatcherTest, ASecondClickSoonAndCloseIsADoubleClick)
{
    const std::tuple<double, int, int, bool> cases[] = {{0.5, 0, 0, true},   {0.99, 10, 5, true}, {0.5, 8, 8, false},
                                                        {0.5, 16, 0, false}, {1.0, 0, 0, false}};
    for (const auto& [gap, dx, dy, doubleClick] : cases) {
        calls.clear();
        drag(300, 300, 300, 300);
        const int slept = desktop.fakeClock.sleptMs;
        drag(300 + dx, 300 + dy, 300 + dx, 300 + dy, gap);
        EXPECT_EQ(count("translate"), doubleClick ? 1 : 0) << gap << " " << dx << "," << dy;
        EXPECT_EQ(desktop.fakeClock.sleptMs - slept, doubleClick ? 50 : 0) << "a pause before a double click";
    }
    calls.clear();
    drag(300, 300, 300, 300);
    drag(300, 300, 300, 300, 0.2);
    drag(300, 300, 300, 300, 0.2);
    EXPECT_EQ(count("translate"), 2) << "a triple click is two requests";

    calls.clear();
    desktop.fakeClock.now = 86399.8;
    drag(300, 300, 300, 300, 0);
    desktop.fakeClock.now = 0.1;
    drag(300, 300, 300, 300, 0);
    EXPECT_EQ(count("translate"), 0) << "across midnight is no double click";
}

TEST_F(SelectionWatcherTest, OnlyModeThreeOpensAtOnceAndModeOneOpensNearTheEnd)
{
    for (const char* mode : {"1", "2", "3", "abc", "7"}) {
        state.settings.set("ControlMode", mode);
        calls.clear();
        drag(100, 100, 200, 100);
        EXPECT_EQ(count("open"), QString(mode) == "3" ? 1 : 0) << mode;
        EXPECT_EQ(count("translate"), 1) << mode;
    }
    translateResult = false;
    calls.clear();
    drag(100, 100, 200, 100);
    EXPECT_EQ(count("open"), 0) << "nothing captured, nothing opened";

    state.settings.set("ControlMode", "1");
    translateResult = true;
    const std::tuple<int, int, bool> clicks[] = {{219, 100, true}, {181, 119, true}, {220, 100, false}, {200, 80, false}};
    for (const auto& [x, y, opens] : clicks) {
        watcher.actionX = 200;
        watcher.actionY = 100;
        calls.clear();
        drag(x, y, x, y);
        EXPECT_EQ(calls.filter("open"), opens ? QStringList{QString("open %1,%2").arg(x).arg(y)} : QStringList())
            << x << "," << y;
        if (opens) {
            EXPECT_EQ(watcher.actionX, 0);
            drag(x, y, x, y);
            EXPECT_EQ(count("open"), 1) << "a second click there does nothing";
        }
    }
    watcher.actionX = 200;
    watcher.actionY = 100;
    calls.clear();
    drag(0, 100, 210, 105);
    EXPECT_EQ(calls, QStringList({"hide", "pressed", "open 210,105"})) << "a drag ending there opens, too";

    translateResult = false;
    drag(400, 400, 600, 400);
    EXPECT_EQ(watcher.actionX, 600) << "a failed request keeps the point";
}

TEST_F(SelectionWatcherTest, PressesAwayFromThePopupAndTheSecondaryButtonHideIt)
{
    button(Input::LeftButton, true, 10, 10);
    EXPECT_EQ(calls, QStringList({"hide", "pressed"}));
    button(Input::LeftButton, false, 10, 10);
    overPopup = true;
    calls.clear();
    button(Input::LeftButton, true, 10, 10);
    EXPECT_EQ(calls, QStringList({"pressed"}));
    button(Input::LeftButton, false, 10, 10);

    overPopup = false;
    calls.clear();
    watcher.actionX = 50;
    watcher.actionY = 60;
    button(Input::RightButton, true, 10, 10);
    tick();
    EXPECT_EQ(calls, QStringList({"hide", "hide"})) << "on every tick while held";
    EXPECT_EQ(watcher.actionX, 0);
    EXPECT_EQ(watcher.actionY, 0);
    button(Input::RightButton, false, 10, 10);

    // Swapped buttons: the physical right one selects, the left one dismisses.
    state.primaryButton = 2;
    state.secondaryButton = 1;
    calls.clear();
    button(Input::RightButton, true, 100, 100);
    button(Input::RightButton, false, 200, 100);
    button(Input::LeftButton, true, 200, 100);
    EXPECT_EQ(calls, QStringList({"hide", "pressed", "translate 200,100 left 100", "hide"}));
    EXPECT_FALSE(watcher.isButtonDown(4));
    EXPECT_TRUE(watcher.isButtonDown(1));
    desktop.fakeInput.buttonsDown = {4};
    EXPECT_TRUE(watcher.isButtonDown(3)) << "3 asks for the middle button";
}

TEST_F(SelectionWatcherTest, AnIdleOrBusyWatcherSeesEachChangeOnce)
{
    state.translationEnabled = false;
    button(Input::LeftButton, true, 100, 100);
    EXPECT_FALSE(watcher.primaryWasDown);
    state.translationEnabled = true;
    tick();
    EXPECT_TRUE(watcher.primaryWasDown) << "the press is seen at the first active tick";
    watchActive = false;
    button(Input::LeftButton, false, 300, 100);
    foregroundOk = false;
    watchActive = true;
    tick();
    EXPECT_TRUE(watcher.primaryWasDown) << "an excluded application in front ends the tick";
    foregroundOk = true;
    tick();
    EXPECT_EQ(count("translate"), 1);

    // The capture lets pending events run; a tick in the middle sees no new release.
    int nestedTicks = 0;
    duringTranslate = [&] {
        if (nestedTicks++ < 2)
            tick();
    };
    drag(100, 100, 300, 100);
    EXPECT_EQ(count("translate"), 2);
    EXPECT_EQ(nestedTicks, 1);
}

} // namespace
