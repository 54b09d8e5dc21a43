// The watcher's decisions: which releases finish a selection, double clicks, the three
// ways of triggering, and the presses that dismiss the popup; each decided the same
// whether the presses come as events or are sampled by the tick.
#include "FakeDesktop.h"
#include "capture/SelectionWatcher.h"

#include <gtest/gtest.h>

namespace {

using platform::Input;

// The parameter: true when presses come as events.
class SelectionWatcherTest : public testing::TestWithParam<bool> {
protected:
    FakeDesktop desktop;
    AppState state;
    QStringList calls;
    bool translateResult = true, overPopup = false, foregroundOk = true, watchActive = true;
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
                              [this](std::uint32_t timeMs) {
                                  calls << "pressed";
                                  pressTimes << timeMs;
                              }}};
    QList<std::uint32_t> pressTimes;

    void SetUp() override
    {
        state.translationEnabled = true;
        state.primaryButton = 1;
        state.secondaryButton = 2;
        desktop.fakeInput.deliversEvents = desktop.fakeWindows.deliversForegroundChanges = GetParam();
        EXPECT_EQ(watcher.watchEvents(), GetParam());
    }
    // The event's time runs on the same clock as the tick's, in milliseconds.
    void button(int vk, bool down, int x, int y)
    {
        desktop.fakeInput.cursor = QPoint(x, y);
        desktop.fakeInput.setButton(vk, down, std::uint32_t(std::llround(desktop.fakeClock.now * 1000)));
        if (!GetParam())
            watcher.onWatchTick();
    }
    // A press and a release, pause seconds after the one before.
    void drag(int x0, int y0, int x1, int y1, double pause = 5)
    {
        desktop.fakeClock.now += pause;
        button(Input::LeftButton, true, x0, y0);
        button(Input::LeftButton, false, x1, y1);
    }
    int count(const QString& call) const { return calls.filter(call).size(); }
};

TEST_P(SelectionWatcherTest, ADragBeyondTheThresholdsOrADoubleClickIsASelection)
{
    for (const auto& [dx, dy, selection] : {std::tuple{30, 10, false}, {31, 0, true}, {0, 11, true},
                                            {-31, 0, true}, {-30, -10, false}}) {
        calls.clear();
        drag(500, 400, 500 + dx, 400 + dy);
        EXPECT_EQ(count("translate"), selection ? 1 : 0) << dx << "," << dy;
        EXPECT_EQ(watcher.actionX, selection ? 500 + dx : 0);
    }
    calls.clear();
    drag(600, 400, 450, 400);
    EXPECT_EQ(calls, QStringList({"hide", "pressed", "translate 450,400 left 450"})) << "the left end of the drag";

    for (const auto& [gap, dx, dy, doubleClick] : {std::tuple{0.99, 10, 5, true}, {0.5, 8, 8, false},
                                                   {0.5, 16, 0, false}, {1.0, 0, 0, false}}) {
        calls.clear();
        drag(300, 300, 300, 300);
        const int slept = desktop.fakeClock.sleptMs;
        drag(300 + dx, 300 + dy, 300 + dx, 300 + dy, gap);
        EXPECT_EQ(count("translate"), doubleClick ? 1 : 0) << gap << " " << dx << "," << dy;
        EXPECT_EQ(desktop.fakeClock.sleptMs - slept, doubleClick ? 50 : 0) << "a pause before a double click";
    }
    calls.clear();
    desktop.fakeClock.now = 86399.8;
    drag(300, 300, 300, 300, 0);
    desktop.fakeClock.now = 0.1;
    drag(300, 300, 300, 300, 0);
    EXPECT_EQ(count("translate"), 0) << "across midnight is no double click";
}

TEST_P(SelectionWatcherTest, OnlyModeThreeOpensAtOnceAndModeOneOpensNearTheEnd)
{
    for (const char* mode : {"1", "2", "3", "abc"}) {
        state.settings.set("ControlMode", mode);
        calls.clear();
        drag(100, 100, 200, 100);
        EXPECT_EQ(count("open"), QString(mode) == "3" ? 1 : 0) << mode;
    }
    translateResult = false;
    calls.clear();
    drag(100, 100, 200, 100);
    EXPECT_EQ(count("open"), 0) << "nothing captured, nothing opened";

    state.settings.set("ControlMode", "1");
    translateResult = true;
    for (const auto& [x, y, opens] : {std::tuple{219, 100, true}, {181, 119, true}, {220, 100, false}}) {
        watcher.actionX = 200;
        watcher.actionY = 100;
        calls.clear();
        drag(x, y, x, y);
        drag(x, y, x, y);
        EXPECT_EQ(count("open"), opens ? 1 : 0) << x << "," << y << ": a second click there does nothing";
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

TEST_P(SelectionWatcherTest, PressesAwayFromThePopupAndTheSecondaryButtonHideIt)
{
    button(Input::LeftButton, true, 10, 10);
    button(Input::LeftButton, false, 10, 10);
    overPopup = true;
    button(Input::LeftButton, true, 10, 10);
    button(Input::LeftButton, false, 10, 10);
    EXPECT_EQ(calls, QStringList({"hide", "pressed", "pressed"}));
    overPopup = false;
    calls.clear();
    watcher.actionX = 50;
    button(Input::RightButton, true, 10, 10);
    EXPECT_EQ(calls, QStringList({"hide"}));
    EXPECT_EQ(watcher.actionX, 0);
    button(Input::RightButton, false, 10, 10);

    // Swapped buttons: the physical right one selects, the left one dismisses.
    state.primaryButton = 2;
    state.secondaryButton = 1;
    calls.clear();
    button(Input::RightButton, true, 100, 100);
    button(Input::RightButton, false, 200, 100);
    button(Input::LeftButton, true, 200, 100);
    EXPECT_EQ(calls, QStringList({"hide", "pressed", "translate 200,100 left 100", "hide"}));
    desktop.fakeInput.buttonsDown = {4};
    EXPECT_TRUE(watcher.isButtonDown(3)) << "3 asks for the middle button";
    EXPECT_FALSE(watcher.isButtonDown(4));
}

TEST_P(SelectionWatcherTest, WhatHappensDuringARequestWaitsForIt)
{
    // The capture lets pending events run: a tick may come in the middle of a
    // request, and so may the presses of a new selection, which come after it.
    int nested = 0;
    duringTranslate = [&] {
        if (nested++ > 0)
            return;
        if (GetParam())
            drag(100, 200, 300, 200);
        else
            watcher.onWatchTick();
    };
    drag(100, 100, 300, 100);
    EXPECT_EQ(calls.filter("translate"), GetParam() ? QStringList({"translate 300,100 left 100", "translate 300,200 left 100"})
                                                    : QStringList({"translate 300,100 left 100"}));
    state.translationEnabled = false;
    calls.clear();
    drag(100, 100, 300, 100);
    EXPECT_EQ(count("translate"), 0) << "translation off: nothing is watched";
}

// Sampling cannot see a press and release that both fall between two ticks.
using EventWatcherTest = SelectionWatcherTest;

TEST_P(EventWatcherTest, SeesClicksBetweenTwoTicks)
{
    // An instant click near the end of the last selection, then a quick double click,
    // with no tick anywhere: each event carries its own state and time.
    state.settings.set("ControlMode", "1");
    drag(100, 100, 200, 100);
    desktop.fakeInput.cursor = QPoint(210, 100);
    desktop.fakeInput.setButton(Input::LeftButton, true, 9000000);
    desktop.fakeInput.setButton(Input::LeftButton, false, 9000000);
    EXPECT_EQ(calls.filter("open"), QStringList({"open 210,100"}));
    calls.clear();
    desktop.fakeInput.cursor = QPoint(400, 300);
    for (const std::uint32_t time : {9005000, 9005070, 9005090, 9005160})
        desktop.fakeInput.setButton(Input::LeftButton, time == 9005000 || time == 9005090, time);
    EXPECT_EQ(calls.filter("translate"), QStringList({"translate 400,300 left 400"}));
    EXPECT_EQ(pressTimes.mid(pressTimes.size() - 2), QList<std::uint32_t>({9005000, 9005090}))
        << "the capture hears each press's own time";
}

// Where no button is seen (Wayland), the primary selection's own changes tell.
class SettledSelectionTest : public SelectionWatcherTest {
protected:
    void SetUp() override
    {
        state.translationEnabled = true;
        desktop.fakeWindows.deliversForegroundChanges = desktop.fakeWindows.deliversSelectionChanges = true;
        ASSERT_TRUE(watcher.watchEvents());
        desktop.fakeInput.cursor = QPoint(300, 200);
    }
    void change(bool selected) { desktop.fakeWindows.selectionHandler(selected); }
    void settle()
    {
        ASSERT_TRUE(watcher.selectionSettle.isRunning());
        emit watcher.selectionSettle.timeout();
    }
};

TEST_P(SettledSelectionTest, OnlyASelectionThatStopsChangingIsTranslatedAndTheIconStandsInForTheClick)
{
    EXPECT_TRUE(state.buttonsUnseen);
    for (const char* mode : {"1", "2", "3"}) {
        state.settings.set("ControlMode", mode);
        calls.clear();
        change(true);
        change(true); // still being dragged
        EXPECT_EQ(watcher.selectionSettle.interval(), SelectionWatcher::SettleMs);
        EXPECT_EQ(calls, QStringList({"hide", "hide"})) << "nothing before it settles";
        settle();
        EXPECT_EQ(calls.mid(2), QString(mode) == "3" ? QStringList({"translate 300,200 left 300", "open 300,200"})
                                                     : QStringList({"translate 300,200 left 300"}))
            << "mode " << mode << " (1 acts as 2: no click near the end can be seen)";
        EXPECT_EQ(state.controlMode(), QString(mode) == "3" ? 3 : 2);
    }
    calls.clear();
    change(true);
    change(false);
    EXPECT_FALSE(watcher.selectionSettle.isRunning()) << "a selection cleared before it settled is no selection";
    state.translationEnabled = false;
    change(true);
    EXPECT_FALSE(watcher.selectionSettle.isRunning());
    EXPECT_TRUE(calls.filter("translate").isEmpty());

    // A selection settling while the last one is still being captured waits for it.
    state.translationEnabled = true;
    change(true);
    state.lastForegroundWindow = 5;
    duringTranslate = [&] {
        duringTranslate = nullptr;
        change(true);
        emit watcher.selectionSettle.timeout();
        EXPECT_TRUE(watcher.selectionSettle.isRunning()) << "put off";
        desktop.fakeWindows.foregroundHandler();
        EXPECT_EQ(state.lastForegroundWindow, 5u) << "a foreground change waits too";
    };
    settle();
    EXPECT_EQ(state.lastForegroundWindow, 0u) << "and is handled right after";
    settle();
    EXPECT_EQ(calls.filter("translate").size(), 2);
}

INSTANTIATE_TEST_SUITE_P(WithoutButtons, SettledSelectionTest, testing::Values(true));
INSTANTIATE_TEST_SUITE_P(Sampled, SelectionWatcherTest, testing::Values(false));
INSTANTIATE_TEST_SUITE_P(Events, SelectionWatcherTest, testing::Values(true));
INSTANTIATE_TEST_SUITE_P(Events, EventWatcherTest, testing::Values(true));

} // namespace

// Where the buttons and the selection's changes are both seen (GNOME's extension): a
// change finishes a selection once the primary button is up, with no settle time.
class ChangedSelectionTest : public SelectionWatcherTest {
protected:
    void SetUp() override
    {
        state.translationEnabled = true;
        state.primaryButton = 1;
        state.secondaryButton = 2;
        desktop.fakeInput.deliversEvents = true;
        desktop.fakeWindows.deliversForegroundChanges = desktop.fakeWindows.deliversSelectionChanges = true;
        ASSERT_TRUE(watcher.watchEvents());
    }
    void change(bool selected) { desktop.fakeWindows.selectionHandler(selected); }
};

TEST_P(ChangedSelectionTest, AChangeFinishesOnceThePrimaryButtonIsUpAndTheClicksActAsElsewhere)
{
    EXPECT_FALSE(state.buttonsUnseen);
    state.settings.set("ControlMode", "1");
    EXPECT_EQ(state.controlMode(), 1) << "the click near the end can be seen";

    // Changes during a drag: one translation, at the release, nothing before it.
    button(Input::LeftButton, true, 100, 100);
    change(true);
    change(true);
    EXPECT_EQ(count("translate"), 0);
    EXPECT_FALSE(watcher.selectionSettle.isRunning()) << "no settle time";
    button(Input::LeftButton, false, 300, 100);
    EXPECT_EQ(calls.filter("translate"), QStringList({"translate 300,100 left 100"}));
    // A click near its end opens it; a click with no change is no selection.
    calls.clear();
    button(Input::LeftButton, true, 310, 100);
    button(Input::LeftButton, false, 310, 100);
    EXPECT_EQ(calls.filter("open"), QStringList({"open 310,100"}));
    calls.clear();
    drag(500, 500, 700, 500);
    EXPECT_EQ(count("translate"), 0) << "the application changed nothing";

    // A change with no button held (the application set it after the release, or the
    // keyboard selected): finished at once where the pointer is, and clickable.
    desktop.fakeInput.cursor = QPoint(400, 200);
    change(true);
    EXPECT_EQ(calls.filter("translate"), QStringList({"translate 400,200 left 400"}));
    calls.clear();
    drag(405, 200, 405, 200);
    EXPECT_EQ(calls.filter("open"), QStringList({"open 405,200"}));

    // A button held whose press is still on its way counts as held.
    calls.clear();
    desktop.fakeInput.buttonsDown.insert(Input::LeftButton);
    change(true);
    EXPECT_EQ(count("translate"), 0);
    button(Input::LeftButton, true, 420, 200);
    button(Input::LeftButton, false, 450, 200);
    EXPECT_EQ(count("translate"), 1);
}

INSTANTIATE_TEST_SUITE_P(WithButtons, ChangedSelectionTest, testing::Values(true));
