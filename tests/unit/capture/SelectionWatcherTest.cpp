// The watcher's decisions: which releases finish a selection, double clicks, the three
// ways of triggering, and the presses that dismiss the popup; each decided the same
// whether the presses come as events or are sampled by the tick.
#include "FakeDesktop.h"
#include "capture/SelectionWatcher.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// The parameter: true when presses come as events.
class SelectionWatcherTest : public testing::TestWithParam<bool> {
protected:
    FakeDesktop desktop;
    QStringList calls;
    bool translateResult = true, overPopup = false, watched = true;
    SelectionWatcher watcher{desktop,
                             {[this] { return watched; }, [this] { calls << "foreground"; },
                              [this] { return overPopup; }, [this] { calls << "hide"; },
                              [this](int x, int y, int left, SelectionWatcher::Handled handled) {
                                  calls << QString("translate %1,%2 left %3").arg(x).arg(y).arg(left);
                                  handled(translateResult);
                              },
                              [this](int x, int y) { calls << QString("open %1,%2").arg(x).arg(y); },
                              [this](std::uint32_t timeMs) {
                                  calls << "pressed";
                                  pressTimes << timeMs;
                              }}};
    QList<std::uint32_t> pressTimes;

    void SetUp() override
    {
        desktop.fakeInput.deliversEvents = desktop.fakeWindows.deliversForegroundChanges = GetParam();
        setTrigger(TriggerMode::ClickIcon);
        watcher.start();
        EXPECT_EQ(watcher.isTicking(), !GetParam());
    }
    void setTrigger(TriggerMode trigger, bool swapped = false)
    {
        watcher.configure(trigger, swapped ? Qt::RightButton : Qt::LeftButton, swapped ? Qt::LeftButton : Qt::RightButton);
    }
    // Sampled, a change is seen at the next tick; events carry the clock's time.
    void button(Qt::MouseButton which, bool down, int x, int y)
    {
        desktop.fakeInput.cursor = QPoint(x, y);
        if (GetParam()) {
            desktop.fakeInput.setButton(which, down, std::uint32_t(std::llround(desktop.fakeClock.now * 1000)));
        } else {
            desktop.fakeInput.held.setFlag(which, down);
            desktop.fakeClock.advance(SelectionWatcher::TickMs);
        }
    }
    // A press and a release, pause seconds after the release before (sampling's two
    // ticks are part of the pause).
    void drag(int x0, int y0, int x1, int y1, double pause = 5)
    {
        desktop.fakeClock.now += GetParam() ? pause : pause - 0.1;
        button(Qt::LeftButton, true, x0, y0);
        button(Qt::LeftButton, false, x1, y1);
    }
    // Lets the double click's pause pass.
    void pauseOver() { desktop.fakeClock.advance(SelectionWatcher::DoubleClickPauseMs + 10); }
    int count(const QString& call) const { return calls.filter(call).size(); }
    void change(bool selected) { desktop.fakeWindows.selectionHandler(selected); }
};

TEST_P(SelectionWatcherTest, ADragBeyondTheThresholdsOrADoubleClickIsASelection)
{
    for (const auto& [dx, dy, selection] : {std::tuple{30, 10, false}, {31, 0, true}, {0, 11, true},
                                            {-31, 0, true}, {-30, -10, false}}) {
        calls.clear();
        drag(500, 400, 500 + dx, 400 + dy);
        EXPECT_EQ(count("translate"), selection ? 1 : 0) << dx << "," << dy;
        EXPECT_EQ(watcher.actionPoint(), selection ? std::optional(QPoint(500 + dx, 400 + dy)) : std::nullopt);
    }
    calls.clear();
    drag(600, 400, 450, 400);
    EXPECT_EQ(calls.filter(QRegularExpression("hide|pressed|translate")),
              QStringList({"hide", "pressed", "translate 450,400 left 450"}))
        << "the left end of the drag";

    for (const auto& [gap, dx, dy, doubleClick] : {std::tuple{0.99, 10, 5, true}, {0.5, 8, 8, false},
                                                   {0.5, 16, 0, false}, {1.01, 0, 0, false}}) {
        calls.clear();
        drag(300, 300, 300, 300);
        drag(300 + dx, 300 + dy, 300 + dx, 300 + dy, gap);
        EXPECT_EQ(count("translate"), 0) << "a double click waits a moment for the application";
        pauseOver();
        EXPECT_EQ(count("translate"), doubleClick ? 1 : 0) << gap << " " << dx << "," << dy;
    }
    calls.clear();
    desktop.fakeClock.now = 86399.8;
    drag(300, 300, 300, 300, 0);
    desktop.fakeClock.now = 0.1;
    drag(300, 300, 300, 300, 0);
    pauseOver();
    EXPECT_EQ(count("translate"), 0) << "across midnight is no double click";
}

TEST_P(SelectionWatcherTest, OnlyJustSelectOpensAtOnceAndClickNearEndOpensWhereTheSelectionEnded)
{
    translateResult = false;
    setTrigger(TriggerMode::JustSelect);
    calls.clear();
    drag(100, 100, 200, 100);
    EXPECT_EQ(count("open"), 0) << "nothing captured, nothing opened";

    setTrigger(TriggerMode::ClickNearEnd);
    translateResult = true;
    for (const auto& [x, y, opens] : {std::tuple{219, 100, true}, {181, 119, true}, {220, 100, false}}) {
        drag(100, 100, 200, 100);
        calls.clear();
        drag(x, y, x, y);
        drag(x, y, x, y);
        EXPECT_EQ(count("open"), opens ? 1 : 0) << x << "," << y << ": a second click there does nothing";
    }
    drag(100, 100, 200, 100);
    calls.clear();
    drag(0, 100, 210, 105);
    EXPECT_EQ(calls.filter(QRegularExpression("open|translate")), QStringList({"open 210,105"}))
        << "a drag ending there opens, too";
    // No point is any point: a click at the screen's corner opens nothing, and a
    // selection that made no request leaves no point behind.
    calls.clear();
    drag(5, 5, 5, 5);
    EXPECT_EQ(count("open"), 0);
    translateResult = false;
    drag(400, 400, 600, 400);
    EXPECT_FALSE(watcher.actionPoint().has_value());
    drag(600, 400, 600, 400);
    EXPECT_EQ(count("open"), 0) << "nothing was asked for, so a click there shows no old popup";
}

TEST_P(SelectionWatcherTest, PressesAwayFromThePopupAndTheSecondaryButtonHideIt)
{
    drag(100, 100, 200, 100);
    calls.clear();
    button(Qt::RightButton, true, 10, 10);
    EXPECT_EQ(calls.filter("hide"), QStringList({"hide"}));
    EXPECT_FALSE(watcher.actionPoint().has_value());
    button(Qt::RightButton, false, 10, 10);

    // Swapped buttons: the physical right one selects, the left one dismisses.
    setTrigger(TriggerMode::ClickIcon, true);
    calls.clear();
    button(Qt::RightButton, true, 100, 100);
    button(Qt::RightButton, false, 250, 100);
    button(Qt::LeftButton, true, 250, 100);
    EXPECT_EQ(calls.filter(QRegularExpression("hide|pressed|translate")),
              QStringList({"hide", "pressed", "translate 250,100 left 100", "hide"}));
}

TEST_P(SelectionWatcherTest, ButtonsAreFollowedWhereNothingIsWatchedAndTheProgramsOwnWindowsMakeNoSelection)
{
    // A press here, its release after the focus moved to an application that is off:
    // the next plain click is measured against its own press.
    button(Qt::LeftButton, true, 100, 100);
    watched = false;
    button(Qt::LeftButton, false, 400, 100);
    watched = true;
    calls.clear();
    drag(500, 300, 500, 300);
    EXPECT_EQ(count("translate"), 0) << "a plain click, no capture";
    EXPECT_EQ(count("hide"), 1);

    // Selecting part of the translation in the popup, and the close mark clicked right
    // after a selection (which would complete a double click), are left to the popup.
    overPopup = true;
    calls.clear();
    drag(300, 300, 500, 300);
    EXPECT_EQ(calls.filter(QRegularExpression("hide|pressed|translate")), QStringList({"pressed"}));
    overPopup = false;
    drag(100, 100, 300, 100);
    overPopup = true;
    drag(300, 100, 300, 100, 0.3);
    overPopup = false;
    drag(300, 100, 300, 100, 0.3);
    pauseOver();
    EXPECT_EQ(count("translate"), 1) << "neither the click on the popup nor the one after it pairs into a double click";

    watched = false;
    calls.clear();
    drag(100, 100, 300, 100);
    EXPECT_EQ(count("translate"), 0) << "translation off: nothing is watched";
}

// Sampling cannot see a press and release that both fall between two ticks.
using EventWatcherTest = SelectionWatcherTest;

TEST_P(EventWatcherTest, SeesClicksBetweenTwoTicksAndTellsTheCaptureEachPresssTime)
{
    setTrigger(TriggerMode::ClickNearEnd);
    drag(100, 100, 200, 100);
    desktop.fakeInput.cursor = QPoint(210, 100);
    desktop.fakeInput.setButton(Qt::LeftButton, true, 9000000);
    desktop.fakeInput.setButton(Qt::LeftButton, false, 9000000);
    EXPECT_EQ(calls.filter("open"), QStringList({"open 210,100"}));
    calls.clear();
    desktop.fakeInput.cursor = QPoint(400, 300);
    for (const std::uint32_t time : {9005000, 9005070, 9005090, 9005160})
        desktop.fakeInput.setButton(Qt::LeftButton, time == 9005000 || time == 9005090, time);
    pauseOver();
    EXPECT_EQ(calls.filter("translate"), QStringList({"translate 400,300 left 400"}));
    EXPECT_EQ(pressTimes.mid(pressTimes.size() - 2), QList<std::uint32_t>({9005000, 9005090}));
}

// Where no button is seen (Wayland), the primary selection's own changes tell.
class SettledSelectionTest : public SelectionWatcherTest {
protected:
    void SetUp() override
    {
        desktop.fakeWindows.deliversForegroundChanges = desktop.fakeWindows.deliversSelectionChanges = true;
        watcher.start();
        desktop.fakeInput.cursor = QPoint(300, 200);
    }
};

TEST_P(SettledSelectionTest, OnlyASelectionThatStopsChangingIsTranslatedAndTheIconStandsInForTheClick)
{
    EXPECT_TRUE(watcher.buttonsUnseen());
    for (const auto trigger : {TriggerMode::ClickNearEnd, TriggerMode::ClickIcon, TriggerMode::JustSelect}) {
        setTrigger(trigger);
        calls.clear();
        change(true);
        desktop.fakeClock.advance(150);
        change(true); // still being dragged
        desktop.fakeClock.advance(150);
        EXPECT_EQ(calls, QStringList({"hide", "hide"})) << "nothing before it settles";
        desktop.fakeClock.advance(60);
        EXPECT_EQ(calls.mid(2), trigger == TriggerMode::JustSelect ? QStringList({"translate 300,200 left 300", "open 300,200"})
                                                                   : QStringList({"translate 300,200 left 300"}));
        EXPECT_EQ(watcher.trigger(), trigger == TriggerMode::ClickNearEnd ? TriggerMode::ClickIcon : trigger)
            << "no click near the end can be seen";
    }
    calls.clear();
    change(true);
    change(false);
    overPopup = true;
    change(true);
    overPopup = false;
    watched = false;
    change(true);
    desktop.fakeClock.advance(500);
    EXPECT_TRUE(calls.filter("translate").isEmpty())
        << "cleared before it settled, selected in the popup itself, or in an application that is off";
}

INSTANTIATE_TEST_SUITE_P(WithoutButtons, SettledSelectionTest, testing::Values(true));
INSTANTIATE_TEST_SUITE_P(Sampled, SelectionWatcherTest, testing::Values(false));
INSTANTIATE_TEST_SUITE_P(Events, SelectionWatcherTest, testing::Values(true));
INSTANTIATE_TEST_SUITE_P(Events, EventWatcherTest, testing::Values(true));

// Where the buttons and the selection's changes are both seen (GNOME's extension): a
// change finishes a selection once the primary button is up, with no settle time.
class ChangedSelectionTest : public SelectionWatcherTest {
protected:
    void SetUp() override
    {
        desktop.fakeInput.deliversEvents = true;
        desktop.fakeWindows.deliversForegroundChanges = desktop.fakeWindows.deliversSelectionChanges = true;
        setTrigger(TriggerMode::ClickNearEnd);
        watcher.start();
    }
};

TEST_P(ChangedSelectionTest, AChangeFinishesOnceThePrimaryButtonIsUpAndTheClicksActAsElsewhere)
{
    EXPECT_FALSE(watcher.buttonsUnseen());
    EXPECT_EQ(watcher.trigger(), TriggerMode::ClickNearEnd) << "the click near the end can be seen";

    // Changes during a drag: one translation, at the release, nothing before it.
    button(Qt::LeftButton, true, 100, 100);
    change(true);
    change(true);
    desktop.fakeClock.advance(SelectionWatcher::SettleMs + 10);
    EXPECT_EQ(count("translate"), 0) << "no settle time: the release finishes it";
    button(Qt::LeftButton, false, 300, 100);
    EXPECT_EQ(calls.filter(QRegularExpression("translate|open")), QStringList({"translate 300,100 left 100"}))
        << "clicked near its end, not at once";
    // A drag with no change is no selection.
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
    desktop.fakeInput.held.setFlag(Qt::LeftButton);
    change(true);
    EXPECT_EQ(count("translate"), 0);
    button(Qt::LeftButton, true, 420, 200);
    button(Qt::LeftButton, false, 450, 200);
    EXPECT_EQ(count("translate"), 1);
}

INSTANTIATE_TEST_SUITE_P(WithButtons, ChangedSelectionTest, testing::Values(true));

} // namespace
