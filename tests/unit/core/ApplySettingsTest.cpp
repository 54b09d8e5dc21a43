#include "FakeDesktop.h"
#include "Utf16.h"
#include "core/Application.h"
#include "core/MainWindow.h"
#include "service/fake/FakeServicePage.h"

#include <gtest/gtest.h>

namespace {

class applySettings : public testing::Test {
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

TEST_F(applySettings, StartUpDerivesTheSharedValues)
{
    programFile({"Color=255,255,225", "TextColor=0,0,255", "Gray=128,128,128", "CheckConnectionInterval=10",
                 "servertimeout=7"});
    ASSERT_TRUE(app.start());
    const AppState& s = app.state();
    EXPECT_EQ(s.osVersion, 600);
    EXPECT_EQ(s.backColour, 0xE1FFFFu);
    EXPECT_EQ(s.textColour, 0xFF0000u);
    EXPECT_EQ(s.grayColour, 0x808080u);
    EXPECT_EQ(s.twipsPerPixelX, 15);
    EXPECT_EQ(s.primaryButton, 1);
    EXPECT_EQ(s.secondaryButton, 2);
    EXPECT_EQ(s.publishedVersion, s.programVersion);
    EXPECT_FALSE(s.pageReady || s.connected || s.translationEnabled);

    MainWindow* f = app.mainForm();
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->windowTitle(), "Quillora");
    EXPECT_EQ(f->size(), QSize(568, 358));
    // Running at start: the watcher (50 ms), the page load (500 ms) and the reconnect.
    const std::tuple<const char*, Timer*, int, bool> timers[] = {
        {"tmr1", &f->selectionWatch, 50, true},          {"tmrLoad", &f->pageLoad, 500, true},
        {"tmrReconnect", &f->reconnect, 10000, true}, {"tmrTimeOut", &f->translationTimeout, 7000, false},
        {"tmrOut", &f->iconLeave, 50, false},     {"tmrProgress", &f->progressDots, 200, false}};
    for (const auto& [name, timer, interval, running] : timers) {
        EXPECT_EQ(timer->interval(), interval) << name;
        EXPECT_EQ(timer->isRunning(), running) << name;
    }
}

TEST_F(applySettings, DefaultsAreInsertedOnlyWhenAbsentAndMissingColoursAreBlack)
{
    programFile({"border=1", "controlmode=3"});
    ASSERT_TRUE(app.start());
    Settings& settings = app.state().settings;
    EXPECT_EQ(settings.value("Border"), "1");
    EXPECT_EQ(settings.value("ControlMode"), "3");
    EXPECT_EQ(settings.value("Shadow"), "1");
    EXPECT_EQ(app.state().backColour, 0u);
    EXPECT_EQ(app.state().textColour, 0u);

    const auto entries = settings.entries().size();
    app.state().translationCache.insert("k1", "hola");
    app.applySettings();
    EXPECT_EQ(settings.entries().size(), entries) << "repeating the apply adds nothing";
    EXPECT_TRUE(app.state().translationCache.isEmpty()) << "each apply empties the cache";
}

TEST_F(applySettings, SwappedButtonsAndScreenDensity)
{
    desktop.fakeScreen.swapped = true;
    desktop.fakeScreen.dpiX = 192;
    desktop.fakeScreen.dpiY = 120;
    ASSERT_TRUE(app.start());
    EXPECT_EQ(app.state().primaryButton, 2);
    EXPECT_EQ(app.state().secondaryButton, 1);
    EXPECT_EQ(app.state().twipsPerPixelX, 8);  // 7.5 rounds to even
    EXPECT_EQ(app.state().twipsPerPixelY, 12);
}

TEST_F(applySettings, BrowserRowsAreSwitchedOnUnlessTheUserEnabledThem)
{
    setRow("chrome.exe", "0");
    setRow("opera.exe", "-1");
    setRow("firefox.exe", "junk");
    setRow("firefox-esr", "0");
    setRow("xterm", "0");
    ASSERT_TRUE(app.start());

    const std::pair<const char*, const char*> rows[] = {
        {"chrome.exe", "1"},  {"opera.exe", "-1"}, {"firefox.exe", "1"}, {"iexplore.exe", "1"}, {"safari.exe", "1"},
        {"firefox-esr", "1"}, {"chromium", "1"},   {"xterm", "0"}}; // other applications are never touched
    for (const auto& [key, value] : rows)
        EXPECT_EQ(row(key), value) << key;

    setRow("chrome.exe", "0");
    app.applySettings();
    EXPECT_EQ(row("chrome.exe"), "1");
}

TEST_F(applySettings, TimerSecondsGiveQuietIntervals)
{
    const QList<std::pair<const char*, int>> cases{
        {"", 0}, {"abc", 0}, {"-3", 0}, {"0", 0}, {"0.5", 500}, {"2", 2000}, {"65", 65000}, {"66", 65535}, {"1e9", 65535}};
    ASSERT_TRUE(app.start());
    for (const auto& [value, expected] : cases) {
        app.state().settings.set("CheckConnectionInterval", value);
        app.state().settings.set("servertimeout", value);
        app.applySettings();
        EXPECT_EQ(app.mainForm()->reconnect.interval(), expected) << value;
        EXPECT_EQ(app.mainForm()->translationTimeout.interval(), expected) << value;
        EXPECT_EQ(app.mainForm()->reconnect.isRunning(), expected > 0) << value;
    }
}

TEST_F(applySettings, SecondInstanceEndsWithoutLoadingAnything)
{
    desktop.fakeSession.otherInstanceRunning = true;
    programFile({"Color=1,2,3"});
    EXPECT_FALSE(app.start());
    EXPECT_EQ(app.mainForm(), nullptr);
    EXPECT_TRUE(app.state().settings.entries().isEmpty());
}

TEST_F(applySettings, ExitWithoutTheSwitchTerminatesAtOnce)
{
    ASSERT_TRUE(app.start());
    const std::pair<const char*, bool> cases[] = {{"", true}, {"--x /t", false}, {"/T", true}}; // case-sensitive
    for (const auto& [cmdLine, terminates] : cases) {
        desktop.fakeSession.terminatedWith.reset();
        desktop.fakeSession.cmdLine = cmdLine;
        app.exitFromMenu();
        EXPECT_EQ(desktop.fakeSession.terminatedWith == 0, terminates) << cmdLine;
    }
}

TEST_F(applySettings, ClosingTheMainWindowOnlyHidesItAndTheBrowserViewFillsIt)
{
    ASSERT_TRUE(app.start());
    MainWindow* f = app.mainForm();
    QWidget view;
    f->setBrowserView(&view);
    f->show();
    f->resize(300, 200);
    EXPECT_EQ(view.geometry(), QRect(0, 0, 300, 200));

    bool cancel = false;
    f->decideClose(cancel, MainWindow::CloseReason::UserClose);
    EXPECT_TRUE(cancel);
    EXPECT_FALSE(f->isVisible());

    cancel = false;
    f->decideClose(cancel, MainWindow::CloseReason::FromCode);
    EXPECT_FALSE(cancel);
    EXPECT_FALSE(desktop.fakeSession.terminatedWith.has_value());

    f->decideClose(cancel, MainWindow::CloseReason::SessionEnd);
    EXPECT_EQ(desktop.fakeSession.terminatedWith, 0) << "the session ending runs Exit";
}

} // namespace
