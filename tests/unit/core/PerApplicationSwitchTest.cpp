#include "FakeDesktop.h"
#include "core/PerApplicationSwitch.h"

#include <gtest/gtest.h>

namespace {

class PerApplication : public testing::Test {
protected:
    FakeDesktop desktop;
    AppState state;
    WindowHandle foreground = 0;
    QMap<WindowHandle, std::uint32_t> owners;
    PerApplicationSwitch sw{state, desktop, [this] { return foreground; }, [this](WindowHandle w) { return owners.value(w); }};

    int trayUpdates = 0;
    int menuHides = 0;
    QString caption = "Enable";
    bool itemEnabled = false;

    void SetUp() override
    {
        sw.setTrayView({[this] { ++trayUpdates; }, [this] { ++menuHides; }, [this](const QString& c) { caption = c; },
                        [this](bool e) { itemEnabled = e; }});
        desktop.fakeProcesses.running = {{10, 1, 1, 0, "Chrome.exe"}, {11, 1, 1, 0, "xterm"},
                                         {12, 1, 1, 0, "qlr"},        {13, 1, 1, 0, "xfdesktop"},
                                         {14, 1, 1, 0, "kate"}};
        owners = {{100, 10}, {101, 11}, {102, 12}, {103, 13}, {104, 14}};
    }
    void bringToFront(WindowHandle w)
    {
        foreground = w;
        lastTick = sw.checkForegroundApplication();
    }
    QString row(const QString& app) { return desktop.fakeStore.rows.value("qlr/Applications/" + app, "<absent>"); }
    void setRow(const QString& app, const QString& v) { desktop.fakeStore.rows.insert("qlr/Applications/" + app, v); }
    bool lastTick = true;
};

TEST_F(PerApplication, NeverSeenApplicationIsOffAndNamedInTheMenu)
{
    state.translationEnabled = true;
    bringToFront(104);
    EXPECT_TRUE(lastTick);
    EXPECT_TRUE(sw.watchActive);
    EXPECT_EQ(state.currentApplication, "kate");
    EXPECT_FALSE(state.translationEnabled);
    EXPECT_EQ(caption, "Enable in kate");
    EXPECT_FALSE(itemEnabled) << "the page is not ready";
    EXPECT_EQ(row("kate"), "<absent>") << "examining never writes";
    EXPECT_EQ(menuHides, 1);
}

TEST_F(PerApplication, RowsReadAsSwitches)
{
    const QList<std::pair<QString, bool>> cases{{"-1", true}, {"1", true}, {"2", true}, {"0", false},
                                                {"", false},  {"abc", false}, {"<absent>", false}};
    for (const auto& [value, expected] : cases) {
        if (value == "<absent>")
            desktop.fakeStore.rows.remove("qlr/Applications/xterm");
        else
            setRow("xterm", value);
        EXPECT_EQ(sw.storedRow("xterm"), expected) << value.toStdString();
    }
}

TEST_F(PerApplication, SwitchFollowsTheForegroundApplication)
{
    setRow("xterm", "1");
    state.pageReady = true;
    bringToFront(100);
    EXPECT_EQ(state.currentApplication, "chrome.exe") << "names are lower-cased";
    EXPECT_FALSE(state.translationEnabled);
    bringToFront(101);
    EXPECT_TRUE(state.translationEnabled);
    EXPECT_EQ(caption, "Disable in xterm");
    EXPECT_TRUE(itemEnabled);

    // The user switches xterm off: stored at once, and the next tick looks again.
    sw.setTranslationEnabled(false, true);
    EXPECT_EQ(row("xterm"), "0");
    EXPECT_EQ(caption, "Enable in xterm");
    EXPECT_EQ(state.lastForegroundWindow, 0u);
    bringToFront(101);
    EXPECT_FALSE(state.translationEnabled);

    sw.setTranslationEnabled(true, true);
    EXPECT_EQ(row("xterm"), "-1");

    // Once examined, the same foreground is not examined again.
    bringToFront(101);
    const int snapshots = desktop.fakeProcesses.snapshots;
    for (int i = 0; i < 5; ++i)
        bringToFront(101);
    EXPECT_EQ(desktop.fakeProcesses.snapshots, snapshots);
    EXPECT_TRUE(lastTick);
}

TEST_F(PerApplication, ExcludedApplicationsStopTheWatcherButKeepTheSwitch)
{
    setRow("xterm", "-1");
    bringToFront(101);
    ASSERT_TRUE(state.translationEnabled);
    const QString captionBefore = caption;

    for (WindowHandle excluded : {WindowHandle(102), WindowHandle(103), WindowHandle(999)}) {
        bringToFront(excluded);
        EXPECT_FALSE(lastTick) << excluded;
        EXPECT_FALSE(sw.watchActive) << excluded;
        EXPECT_EQ(state.currentApplication, "xterm");
        EXPECT_TRUE(state.translationEnabled);
        EXPECT_EQ(caption, captionBefore);
    }
    bringToFront(101);
    EXPECT_TRUE(sw.watchActive);
}

TEST_F(PerApplication, UnsavedSwitchesAndNoApplicationStoreNothing)
{
    sw.setTranslationEnabled(true, true);
    EXPECT_TRUE(state.translationEnabled);
    EXPECT_EQ(trayUpdates, 1);
    EXPECT_TRUE(desktop.fakeStore.rows.isEmpty()) << "no current application yet";

    bringToFront(104);
    sw.setTranslationEnabled(true, false);
    EXPECT_EQ(row("kate"), "<absent>");
}

} // namespace
