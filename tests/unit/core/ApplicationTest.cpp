// The whole program on the fake desktop with an in-memory service page: start-up,
// the road of a selection through every part, the tray icon and its menu, the
// per-application switch, and ending.
#include "FakeDesktop.h"
#include "Utf16.h"
#include "common/LinkLabel.h"
#include "common/TextCacheKey.h"
#include "config/Dialogs.h"
#include "config/LanguageDialog.h"
#include "core/Application.h"
#include "core/MainWindow.h"
#include "core/TranslationPipeline.h"
#include "core/TrayIcon.h"
#include "core/TrayMenu.h"
#include "platform/ClipboardBlocks.h"
#include "popup/FloatingIcon.h"
#include "popup/IconPicture.h"
#include "popup/Popup.h"
#include "popup/TranslationPopup.h"
#include "service/fake/FakeServicePage.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

constexpr WindowHandle Xterm = 0x1400001;
constexpr WindowHandle Desktop = 0x1500001;

class ApplicationTest : public testing::Test {
protected:
    FakeDesktop desktop;
    FakeServicePage* page = new FakeServicePage;
    Application app{desktop, std::unique_ptr<ServicePage>(page)};

    ApplicationTest()
    {
        // A page that is ready once loaded, lists two targets and translates on a click.
        page->hasDocument = false;
        page->onNavigate = [this](const QString&) {
            page->loadReadyDocument();
            page->elements[page::selto].options = {{"auto", "Detect"}, {"es", "Spanish"}};
            page->elements[page::version].value = "9.0.0";
            page->elements[page::download].value = "https://example.org/get";
        };
        page->onClick = [this](const QString&) {
            page->elements[page::translation].innerText = "es:" + page->elements[page::text].value;
            page->elements[page::fromto].innerText = "en → es";
        };
        desktop.fakeProcesses.running = {{11, 1, 1, 0, "xterm"}, {12, 1, 1, 0, "xfdesktop"}};
        desktop.fakeWindows.processIds = {{Xterm, 11}, {Desktop, 12}};
        desktop.fakeWindows.rects.insert(Xterm, QRect(0, 0, 800, 600));
        desktop.fakeWindows.foreground = Xterm;
    }
    void programFile(std::initializer_list<const char*> lines)
    {
        desktop.fakeFiles.files.insert(FakeDesktop::ProgramFile, iniLines(lines));
    }
    QString row(const QString& key) { return desktop.fakeStore.rows.value("qlr/Applications/" + key, "<absent>"); }
    void setRow(const QString& key, const QString& value) { desktop.fakeStore.rows.insert("qlr/Applications/" + key, value); }
    void fire(Timer& timer) { emit timer.timeout(); }
    // A drag from (x0, y0) to (x1, y1) as the watcher's ticks see it.
    void drag(int x0, int y0, int x1, int y1)
    {
        desktop.fakeClock.now += 5;
        desktop.fakeInput.cursor = {x0, y0};
        desktop.fakeInput.buttonsDown = {platform::Input::LeftButton};
        fire(app.timers().selectionWatch);
        desktop.fakeInput.cursor = {x1, y1};
        desktop.fakeInput.buttonsDown.clear();
        fire(app.timers().selectionWatch);
    }
    Popup& popup() { return *app.popup(); }
    TrayMenu& menu() { return *app.trayMenu(); }
};

TEST_F(ApplicationTest, StartUpDerivesTheSharedValuesArmsTheTimersAndConnects)
{
    programFile({"Color=255,255,225", "TextColor=0,0,255", "Gray=128,128,128", "CheckConnectionInterval=10",
                 "servertimeout=7", "border=1", "serviceurl=file:///page.html", "language=enes"});
    desktop.fakeScreen.swapped = true;
    desktop.fakeScreen.dpiY = 192;
    ASSERT_TRUE(app.start());
    AppState& s = app.state();
    EXPECT_EQ(s.osVersion, 600);
    EXPECT_EQ(s.backColour, 0xE1FFFFu);
    EXPECT_EQ(s.textColour, 0xFF0000u);
    EXPECT_EQ(s.grayColour, 0x808080u);
    EXPECT_EQ(s.twipsPerPixelX, 15);
    EXPECT_EQ(s.twipsPerPixelY, 8) << "7.5 rounds to even";
    EXPECT_EQ(s.primaryButton, 2);
    EXPECT_EQ(s.secondaryButton, 1);
    EXPECT_EQ(s.settings.value("Border"), "1") << "a stored value keeps its place";
    EXPECT_EQ(s.settings.value("ControlMode"), "2");
    EXPECT_EQ(s.settings.value("Shadow"), "1");
    EXPECT_EQ(app.mainWindow()->size(), QSize(568, 671));
    EXPECT_FALSE(app.mainWindow()->isVisible());
    EXPECT_EQ(page->navigations, QStringList{"file:///page.html?dir=enes"});

    const std::tuple<const char*, Timer*, int, bool> timers[] = {
        {"watch", &app.timers().selectionWatch, 50, true},  {"load", &app.timers().pageLoad, 500, true},
        {"reconnect", &app.timers().reconnect, 10000, true}, {"timeout", &app.timers().translationTimeout, 7000, false},
        {"leave", &app.timers().iconLeave, 50, false},      {"dots", &app.timers().progressDots, 200, false}};
    for (const auto& [name, timer, interval, running] : timers) {
        EXPECT_EQ(timer->interval(), interval) << name;
        EXPECT_EQ(timer->isRunning(), running) << name;
    }
    EXPECT_EQ(menu().reconnectItem->text(), "Connecting...");
    EXPECT_FALSE(menu().reconnectItem->isEnabled());
    EXPECT_EQ(app.tray()->toolTip(), "Quillora  - Connecting...");

    QSignalSpy balloons(app.tray(), &TrayIcon::balloonShown);
    fire(app.timers().pageLoad);
    EXPECT_TRUE(s.connected);
    EXPECT_EQ(menu().reconnectItem->text(), "Reconnect");
    EXPECT_TRUE(menu().reconnectItem->isEnabled());
    EXPECT_EQ(app.tray()->picture(), TrayPicture::Disabled);
    EXPECT_EQ(app.tray()->toolTip(), "Quillora ");
    ASSERT_EQ(balloons.size(), 1) << "the published 9.0.0 is newer";
    EXPECT_EQ(balloons.at(0).at(0).toString(), "New version 9.0.0");
    EXPECT_EQ(balloons.at(0).at(1).toString(), "A new Quillora Version is available.\r\n Click here to download.");
    EXPECT_EQ(popup().translationWindow().updateLink->caption(), "New v9.0.0");
    EXPECT_FALSE(popup().translationWindow().updateLink->isHidden());
    EXPECT_EQ(app.dialogs().languageDialog(), nullptr) << "a language is chosen";

    menu().reconnectItem->trigger();
    EXPECT_FALSE(s.connected);
    EXPECT_EQ(page->navigations.size(), 2);
}

TEST_F(ApplicationTest, EachApplyReseedsBrowsersEmptiesTheCacheAndReadsTheIntervals)
{
    setRow("chrome.exe", "0");
    setRow("opera.exe", "-1");
    setRow("firefox.exe", "junk");
    setRow("xterm", "0");
    ASSERT_TRUE(app.start());
    const std::pair<const char*, const char*> rows[] = {
        {"chrome.exe", "1"}, {"opera.exe", "-1"}, {"firefox.exe", "1"}, {"safari.exe", "1"}, {"iexplore.exe", "1"},
        {"firefox-esr", "1"}, {"chromium", "1"}, {"xterm", "0"}};
    for (const auto& [key, value] : rows)
        EXPECT_EQ(row(key), value) << key;

    const auto entries = app.state().settings.entries().size();
    const std::pair<const char*, int> intervals[] = {{"", 0}, {"abc", 0}, {"-3", 0}, {"0.5", 500}, {"66", 65535}};
    for (const auto& [value, expected] : intervals) {
        app.state().translationCache.insert("k1", "hola");
        app.state().settings.set("CheckConnectionInterval", value);
        app.applySettings();
        EXPECT_EQ(app.timers().reconnect.interval(), expected) << value;
        EXPECT_TRUE(app.state().translationCache.isEmpty());
    }
    EXPECT_EQ(app.state().settings.entries().size(), entries) << "repeating the apply adds no defaults";
    EXPECT_EQ(page->navigations.size(), 1 + 5);
}

TEST_F(ApplicationTest, ASelectionInAnEnabledApplicationIsTranslatedInThePopup)
{
    programFile({"ControlMode=3", "SmoothGlide=0", "language=enes", "googlelink=https://www.apertium.org/"});
    setRow("xterm", "-1");
    ASSERT_TRUE(app.start());
    fire(app.timers().pageLoad);
    fire(app.timers().selectionWatch);
    EXPECT_TRUE(app.state().translationEnabled);
    EXPECT_EQ(app.state().currentApplication, "xterm");
    EXPECT_EQ(menu().toggleItem->text(), "Disable in xterm");
    EXPECT_TRUE(menu().toggleItem->isEnabled());

    desktop.fakeWindows.onCopyMessage = [](WindowHandle) { return std::optional<QString>("Good morning"); };
    drag(100, 200, 300, 200);
    EXPECT_EQ(page->log.mid(page->log.size() - 2), QStringList({"value text=Good morning", "click btn"}));
    EXPECT_TRUE(popup().translationWindow().isVisible()) << "ControlMode 3 opens at once";
    EXPECT_EQ(popup().shownText(), ".....");
    fire(app.timers().progressDots);
    EXPECT_EQ(popup().shownText(), "") << "five dots become none";
    fire(app.timers().resultPoll);
    EXPECT_EQ(popup().shownText(), "es:Good morning");
    EXPECT_EQ(popup().translationWindow().directionLink->caption(), "en → es");
    EXPECT_EQ(app.state().translationCache.value(textCacheKey("Good morning")), "es:Good morning");

    emit popup().translationWindow().copyLink->clicked();
    EXPECT_EQ(desktop.fakeClipboard.block(platform::format::UnicodeText), platform::blocks::unicodeText("es:Good morning"));
    EXPECT_FALSE(popup().translationWindow().isVisible());

    drag(100, 200, 300, 200);
    emit popup().translationWindow().serviceLink->clicked();
    EXPECT_EQ(desktop.fakeShell.opened, QStringList{"https://www.apertium.org/"});
    drag(100, 200, 300, 200);
    emit popup().translationWindow().directionLink->clicked();
    EXPECT_TRUE(app.mainWindow()->isVisible()) << "the direction link shows the page";
    emit popup().translationWindow().updateLink->clicked();
    EXPECT_EQ(desktop.fakeShell.opened.last(), "https://example.org/get");

    // The secondary button on the icon switches xterm off for good.
    drag(100, 200, 300, 200);
    emit popup().icon().offerPicture->mouseDown(2);
    EXPECT_FALSE(app.state().translationEnabled);
    EXPECT_EQ(row("xterm"), "0");
    EXPECT_EQ(menu().toggleItem->text(), "Enable in xterm");
    page->log.clear();
    drag(100, 200, 300, 200);
    EXPECT_TRUE(page->log.isEmpty());
}

TEST_F(ApplicationTest, TheTrayAndItsMenuSwitchTranslationAndOpenTheWindowAndDialogs)
{
    programFile({"language="});
    ASSERT_TRUE(app.start());
    fire(app.timers().pageLoad);
    ASSERT_NE(app.dialogs().languageDialog(), nullptr) << "no language yet: it is asked for";
    fire(app.timers().selectionWatch);
    TrayIcon& tray = *app.tray();

    desktop.fakeClock.now = 100;
    tray.handleMouseMessage(TrayIcon::LeftButtonDown);
    EXPECT_TRUE(app.state().translationEnabled);
    EXPECT_EQ(tray.picture(), TrayPicture::Enabled);
    EXPECT_EQ(row("xterm"), "-1");
    desktop.fakeClock.now = 100.2;
    tray.handleMouseMessage(TrayIcon::LeftButtonDown);
    EXPECT_TRUE(app.mainWindow()->isVisible()) << "a second press within 0.3 s opens the window";
    EXPECT_TRUE(app.state().translationEnabled);
    app.mainWindow()->hide();
    desktop.fakeClock.now = 100.5;
    tray.handleMouseMessage(TrayIcon::LeftButtonDown);
    EXPECT_FALSE(app.state().translationEnabled);
    EXPECT_FALSE(app.mainWindow()->isVisible());
    menu().toggleItem->trigger();
    EXPECT_TRUE(app.state().translationEnabled);
    tray.handleMouseMessage(TrayIcon::LeftButtonDoubleClick);
    EXPECT_TRUE(app.mainWindow()->isVisible());
    EXPECT_TRUE(app.mainWindow()->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << "in front, in the topmost band";
    EXPECT_EQ(app.mainWindow()->pageView, page->view());

    QMenu* shown = nullptr;
    tray.popupMenu = [&](QMenu* shownMenu, const QPoint&) {
        shown = shownMenu;
        tray.handleMouseMessage(TrayIcon::LeftButtonDown); // dropped while the menu is open
    };
    const bool before = app.state().translationEnabled;
    tray.handleMouseMessage(TrayIcon::RightButtonUp);
    EXPECT_EQ(shown, &menu());
    EXPECT_EQ(menu().defaultAction(), menu().toggleItem);
    EXPECT_EQ(app.state().translationEnabled, before);
    QStringList captions;
    for (QAction* action : menu().actions())
        captions.append(action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(captions, QStringList({"Disable in xterm", "-", "Open", "Reconnect", "About", "-", "Settings", "-", "Exit"}));

    menu().settingsItem->trigger();
    EXPECT_NE(app.dialogs().settingsDialog(), nullptr);
    menu().aboutItem->trigger();
    EXPECT_NE(app.dialogs().aboutDialog(), nullptr);

    const std::pair<QSystemTrayIcon::ActivationReason, int> reasons[] = {
        {QSystemTrayIcon::Trigger, 513}, {QSystemTrayIcon::DoubleClick, 515}, {QSystemTrayIcon::Context, 517},
        {QSystemTrayIcon::MiddleClick, 0}};
    for (const auto& [reason, message] : reasons)
        EXPECT_EQ(TrayIcon::messageFor(reason), message);
}

TEST_F(ApplicationTest, TheSwitchFollowsTheForegroundAndSkipsTheDesktopAndItself)
{
    setRow("xterm", "1");
    ASSERT_TRUE(app.start());
    fire(app.timers().selectionWatch);
    EXPECT_TRUE(app.state().translationEnabled);
    const int snapshots = desktop.fakeProcesses.snapshots;
    fire(app.timers().selectionWatch);
    EXPECT_EQ(desktop.fakeProcesses.snapshots, snapshots) << "the same window is examined once";

    for (const WindowHandle excluded : {Desktop, WindowHandle(999)}) {
        desktop.fakeWindows.foreground = excluded;
        fire(app.timers().selectionWatch);
        EXPECT_FALSE(app.pipeline()->appSwitch().watchActive);
        EXPECT_EQ(app.state().currentApplication, "xterm") << "the switch is kept";
        EXPECT_TRUE(app.state().translationEnabled);
    }
    const std::pair<const char*, bool> rows[] = {{"-1", true}, {"2", true}, {"0", false}, {"abc", false}};
    for (const auto& [value, on] : rows) {
        setRow("kate", value);
        EXPECT_EQ(app.pipeline()->appSwitch().storedRow("kate"), on) << value;
    }
}

TEST_F(ApplicationTest, ExitEndsAtOnceUnlessAskedToEndNormallyAndASecondInstanceEndsQuietly)
{
    ASSERT_TRUE(app.start());
    const std::pair<const char*, bool> cases[] = {{"", true}, {"--x /t", false}, {"/T", true}};
    for (const auto& [cmdLine, terminates] : cases) {
        desktop.fakeSession.terminatedWith.reset();
        desktop.fakeSession.cmdLine = cmdLine;
        menu().exitItem->trigger();
        EXPECT_EQ(desktop.fakeSession.terminatedWith == 0, terminates) << cmdLine;
    }
    desktop.fakeSession.cmdLine.clear();
    desktop.fakeSession.terminatedWith.reset();
    bool cancel = false;
    app.mainWindow()->show();
    app.mainWindow()->decideClose(cancel, MainWindow::CloseReason::UserClose);
    EXPECT_TRUE(cancel);
    EXPECT_FALSE(app.mainWindow()->isVisible());
    cancel = false;
    app.mainWindow()->decideClose(cancel, MainWindow::CloseReason::FromCode);
    EXPECT_FALSE(cancel);
    EXPECT_FALSE(desktop.fakeSession.terminatedWith.has_value());
    app.mainWindow()->decideClose(cancel, MainWindow::CloseReason::SessionEnd);
    EXPECT_EQ(desktop.fakeSession.terminatedWith, 0) << "the session ending runs Exit";

    FakeDesktop second;
    second.fakeSession.otherInstanceRunning = true;
    Application other(second, std::make_unique<FakeServicePage>());
    EXPECT_FALSE(other.start());
    EXPECT_EQ(other.mainWindow(), nullptr);
    EXPECT_TRUE(other.state().settings.entries().isEmpty());
}

TEST(ProcessTable, FindsTheOwnerOfAWindowInASnapshotOfAnySize)
{
    platform::fake::FakeProcesses processes;
    QMap<WindowHandle, std::uint32_t> owners;
    ProcessTable table(processes, [&](WindowHandle w) { return owners.value(w); });
    for (int count : {1, 19, 20, 21, 40, 41, 137}) {
        processes.running.clear();
        for (int i = 1; i <= count; ++i)
            processes.running.append({std::uint32_t(1000 + i), 1, 3, 20, QString("app%1").arg(i)});
        ASSERT_EQ(table.takeSnapshot(), count);
        EXPECT_EQ(table.capacity() % 20, 1) << "the array grows in steps of 20";
        EXPECT_GT(table.capacity(), count);
        owners.insert(77, 1000 + count);
        EXPECT_EQ(table.executableOfWindow(77), QString("app%1").arg(count)) << count;
    }
    EXPECT_EQ(table.entry(0).pid, 0u) << "entry 0 stays empty";
    processes.exePaths.insert(1001, "/usr/bin/app1");
    owners.insert(1, 1001);
    QString path = "stale";
    EXPECT_EQ(table.executableOfWindow(1, &path), "app1");
    EXPECT_EQ(path, "/usr/bin/app1");
    EXPECT_EQ(table.executableOfWindow(2, &path), "") << "an unknown window is process 0";
    EXPECT_EQ(path, "");

    processes.snapshotFails = true;
    EXPECT_EQ(table.takeSnapshot(), 0);
    EXPECT_EQ(table.entry(2).exeFile, "app2") << "a failed snapshot leaves the table";
    processes.snapshotFails = false;
    processes.running = {{5, 1, 1, 0, "one"}};
    owners.insert(9, 1003);
    EXPECT_EQ(table.executableOfWindow(9), "") << "records above the new count are not searched";
}

} // namespace
