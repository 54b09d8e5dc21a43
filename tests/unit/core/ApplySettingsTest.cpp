#include "FakeDesktop.h"
#include "Utf16.h"
#include "core/Application.h"
#include "core/frmMain.h"
#include "service/fake/FakeServicePage.h"

#include <gtest/gtest.h>

namespace {

class ApplySettings : public testing::Test {
protected:
    FakeDesktop desktop;
    Application app{desktop, std::make_unique<FakeServicePage>()};

    void programFile(std::initializer_list<const char*> lines)
    {
        desktop.fakeFiles.files.insert(FakeDesktop::ProgramFile, iniLines(lines));
    }
    QString row(const QString& key) { return desktop.fakeStore.rows.value("qlr/Applications/" + key, "<absent>"); }
    void setRow(const QString& key, const QString& value) { desktop.fakeStore.rows.insert("qlr/Applications/" + key, value); }
};

TEST_F(ApplySettings, StartUpDerivesTheSharedValues)
{
    programFile({"Color=255,255,225", "TextColor=0,0,255", "Gray=128,128,128", "CheckConnectionInterval=10",
                 "servertimeout=7"});
    ASSERT_TRUE(app.Main());
    const AppState& s = app.state();
    EXPECT_EQ(s.OSVersion, 600);
    EXPECT_EQ(s.clrBack, 0xE1FFFFu);
    EXPECT_EQ(s.clrText, 0xFF0000u);
    EXPECT_EQ(s.clrGray, 0x808080u);
    EXPECT_EQ(s.TwipsX, 15);
    EXPECT_EQ(s.btnPrimary, 1);
    EXPECT_EQ(s.btnSecondary, 2);
    EXPECT_EQ(s.LatestVersion, s.AppVersion);
    EXPECT_FALSE(s.PageReady || s.Connected || s.TranslateEnabled);

    frmMain* f = app.mainForm();
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->windowTitle(), "Quillora");
    EXPECT_EQ(f->size(), QSize(568, 358));
    // Running at start: the watcher (50 ms), the page load (500 ms) and the reconnect.
    const std::tuple<const char*, Timer*, int, bool> timers[] = {
        {"tmr1", &f->tmr1, 50, true},          {"tmrLoad", &f->tmrLoad, 500, true},
        {"tmrReconnect", &f->tmrReconnect, 10000, true}, {"tmrTimeOut", &f->tmrTimeOut, 7000, false},
        {"tmrOut", &f->tmrOut, 50, false},     {"tmrProgress", &f->tmrProgress, 200, false}};
    for (const auto& [name, timer, interval, running] : timers) {
        EXPECT_EQ(timer->interval(), interval) << name;
        EXPECT_EQ(timer->isRunning(), running) << name;
    }
}

TEST_F(ApplySettings, DefaultsAreInsertedOnlyWhenAbsentAndMissingColoursAreBlack)
{
    programFile({"border=1", "controlmode=3"});
    ASSERT_TRUE(app.Main());
    Settings& settings = app.state().settings;
    EXPECT_EQ(settings.value("Border"), "1");
    EXPECT_EQ(settings.value("ControlMode"), "3");
    EXPECT_EQ(settings.value("Shadow"), "1");
    EXPECT_EQ(app.state().clrBack, 0u);
    EXPECT_EQ(app.state().clrText, 0u);

    const auto entries = settings.entries().size();
    app.state().TranslationCache.insert("k1", "hola");
    app.ApplySettings();
    EXPECT_EQ(settings.entries().size(), entries) << "repeating the apply adds nothing";
    EXPECT_TRUE(app.state().TranslationCache.isEmpty()) << "each apply empties the cache";
}

TEST_F(ApplySettings, SwappedButtonsAndScreenDensity)
{
    desktop.fakeScreen.swapped = true;
    desktop.fakeScreen.dpiX = 192;
    desktop.fakeScreen.dpiY = 120;
    ASSERT_TRUE(app.Main());
    EXPECT_EQ(app.state().btnPrimary, 2);
    EXPECT_EQ(app.state().btnSecondary, 1);
    EXPECT_EQ(app.state().TwipsX, 8);  // 7.5 rounds to even
    EXPECT_EQ(app.state().TwipsY, 12);
}

TEST_F(ApplySettings, BrowserRowsAreSwitchedOnUnlessTheUserEnabledThem)
{
    setRow("chrome.exe", "0");
    setRow("opera.exe", "-1");
    setRow("firefox.exe", "junk");
    setRow("firefox-esr", "0");
    setRow("xterm", "0");
    ASSERT_TRUE(app.Main());

    const std::pair<const char*, const char*> rows[] = {
        {"chrome.exe", "1"},  {"opera.exe", "-1"}, {"firefox.exe", "1"}, {"iexplore.exe", "1"}, {"safari.exe", "1"},
        {"firefox-esr", "1"}, {"chromium", "1"},   {"xterm", "0"}}; // other applications are never touched
    for (const auto& [key, value] : rows)
        EXPECT_EQ(row(key), value) << key;

    setRow("chrome.exe", "0");
    app.ApplySettings();
    EXPECT_EQ(row("chrome.exe"), "1");
}

TEST_F(ApplySettings, TimerSecondsGiveQuietIntervals)
{
    const QList<std::pair<const char*, int>> cases{
        {"", 0}, {"abc", 0}, {"-3", 0}, {"0", 0}, {"0.5", 500}, {"2", 2000}, {"65", 65000}, {"66", 65535}, {"1e9", 65535}};
    ASSERT_TRUE(app.Main());
    for (const auto& [value, expected] : cases) {
        app.state().settings.set("CheckConnectionInterval", value);
        app.state().settings.set("servertimeout", value);
        app.ApplySettings();
        EXPECT_EQ(app.mainForm()->tmrReconnect.interval(), expected) << value;
        EXPECT_EQ(app.mainForm()->tmrTimeOut.interval(), expected) << value;
        EXPECT_EQ(app.mainForm()->tmrReconnect.isRunning(), expected > 0) << value;
    }
}

TEST_F(ApplySettings, SecondInstanceEndsWithoutLoadingAnything)
{
    desktop.fakeSession.otherInstanceRunning = true;
    programFile({"Color=1,2,3"});
    EXPECT_FALSE(app.Main());
    EXPECT_EQ(app.mainForm(), nullptr);
    EXPECT_TRUE(app.state().settings.entries().isEmpty());
}

TEST_F(ApplySettings, ExitWithoutTheSwitchTerminatesAtOnce)
{
    ASSERT_TRUE(app.Main());
    const std::pair<const char*, bool> cases[] = {{"", true}, {"--x /t", false}, {"/T", true}}; // case-sensitive
    for (const auto& [cmdLine, terminates] : cases) {
        desktop.fakeSession.terminatedWith.reset();
        desktop.fakeSession.cmdLine = cmdLine;
        app.mnuExit_Click();
        EXPECT_EQ(desktop.fakeSession.terminatedWith == 0, terminates) << cmdLine;
    }
}

TEST_F(ApplySettings, ClosingTheMainWindowOnlyHidesItAndTheBrowserViewFillsIt)
{
    ASSERT_TRUE(app.Main());
    frmMain* f = app.mainForm();
    QWidget view;
    f->setBrowserView(&view);
    f->show();
    f->resize(300, 200);
    EXPECT_EQ(view.geometry(), QRect(0, 0, 300, 200));

    bool cancel = false;
    f->Form_QueryUnload(cancel, frmMain::UnloadMode::UserClose);
    EXPECT_TRUE(cancel);
    EXPECT_FALSE(f->isVisible());

    cancel = false;
    f->Form_QueryUnload(cancel, frmMain::UnloadMode::FromCode);
    EXPECT_FALSE(cancel);
    EXPECT_FALSE(desktop.fakeSession.terminatedWith.has_value());

    f->Form_QueryUnload(cancel, frmMain::UnloadMode::SessionEnd);
    EXPECT_EQ(desktop.fakeSession.terminatedWith, 0) << "the session ending runs Exit";
}

} // namespace
