// The whole program on the fake desktop with an in-memory service page: start-up,
// the road of a selection through every part, the tray icon and its menu, the
// per-application switch, and ending.
#include "FakeDesktop.h"
#include "ServerStandIn.h"
#include "common/LinkLabel.h"
#include "common/TextCacheKey.h"
#include "config/Dialogs.h"
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
#include "service/Connection.h"
#include "service/TranslationServer.h"
#include "service/fake/FakeServicePage.h"

#include <QDir>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {

constexpr WindowHandle Xterm = 0x1400001;
constexpr WindowHandle Desktop = 0x1500001;
constexpr WindowHandle FileManagerDesktop = 0x1600001; // a desktop drawn by a program not named as one

class ApplicationTest : public testing::Test {
protected:
    FakeDesktop desktop;
    FakeServicePage* page = new FakeServicePage;
    Application app{desktop, std::unique_ptr<ServicePage>(page)};

    ApplicationTest()
    {
        // A page that is ready once loaded, publishes 9.0.0 and translates on a click.
        page->hasDocument = false;
        page->onNavigate = [this](const QString&) {
            page->loadReadyDocument();
            page->elements[page::version].value = "9.0.0";
            page->elements[page::download].value = "https://example.org/get";
        };
        page->onClick = [this](const QString&) {
            page->elements[page::translation].innerText = "es:" + page->elements[page::text].value;
            page->elements[page::fromto].innerText = "en → es";
        };
        desktop.fakeProcesses.running = {{11, 1, 1, 0, "xterm"}, {12, 1, 1, 0, "xfdesktop"}, {14, 1, 1, 0, "pcmanfm"}};
        desktop.fakeWindows.processIds = {{Xterm, 11}, {Desktop, 12}, {FileManagerDesktop, 14}};
        desktop.fakeWindows.desktopsAndPanels = {FileManagerDesktop};
        desktop.fakeWindows.rects.insert(Xterm, QRect(0, 0, 800, 600));
        desktop.fakeWindows.foreground = Xterm;
    }
    void start(const QStringList& programFile)
    {
        desktop.fakeFiles.files.insert(FakeDesktop::ProgramFile, FakeDesktop::settingsFile(programFile));
        ASSERT_TRUE(app.start());
    }
    QString row(const QString& key) { return desktop.fakeStore.rows.value("qlr/Applications/" + key, "-"); }
    void setRow(const QString& key, const QString& value) { desktop.fakeStore.rows.insert("qlr/Applications/" + key, value); }
    void fire(Timer& timer) { emit timer.timeout(); }
    // A drag from (x0, y0) to (x1, y1) as the watcher's events or ticks see it.
    void drag(int x0, int y0, int x1, int y1)
    {
        desktop.fakeClock.now += 5;
        for (const bool down : {true, false}) {
            desktop.fakeInput.cursor = down ? QPoint(x0, y0) : QPoint(x1, y1);
            desktop.fakeInput.setButton(platform::Input::LeftButton, down, std::uint32_t(desktop.fakeClock.now * 1000));
            if (!app.pipeline()->watcherUsesEvents())
                fire(app.timers().selectionWatch);
        }
    }
    Popup& popup() { return *app.popup(); }
    TranslationPopup& window() { return popup().translationWindow(); }
    TrayMenu& menu() { return *app.trayMenu(); }
};

TEST_F(ApplicationTest, StartUpDerivesTheSharedValuesArmsTheTimersAndConnects)
{
    desktop.fakeScreen.swapped = true;
    desktop.fakeScreen.dpiY = 192;
    setRow("chrome.exe", "0");
    setRow("opera.exe", "-1");
    ASSERT_NO_FATAL_FAILURE(start({"Color=255,255,225", "TextColor=0,0,255", "Gray=128,128,128", "border=1",
                                   "CheckConnectionInterval=0.5", "servertimeout=66", "serviceurl=file:///p.html",
                                   "language=enes"}));
    const AppState& s = app.state();
    EXPECT_EQ(s.osVersion, 600);
    EXPECT_EQ(QList<Colour>({s.backColour, s.textColour, s.grayColour}), QList<Colour>({0xE1FFFF, 0xFF0000, 0x808080}));
    EXPECT_EQ(QPoint(s.twipsPerPixelX, s.twipsPerPixelY), QPoint(15, 8)) << "7.5 rounds to even";
    EXPECT_EQ(QPoint(s.primaryButton, s.secondaryButton), QPoint(2, 1));
    EXPECT_EQ(app.state().settings.value("Border"), "1") << "a stored value keeps its place";
    EXPECT_EQ(app.state().settings.value("ControlMode") + app.state().settings.value("Shadow"), "21");
    EXPECT_EQ(app.mainWindow()->size(), QSize(568, 671));
    EXPECT_EQ(page->navigations, QStringList{"file:///p.html?dir=enes"});
    for (const auto& [browser, value] : {std::pair{"chrome.exe", "1"}, {"opera.exe", "-1"}, {"firefox-esr", "1"},
                                         {"safari.exe", "1"}, {"xterm", "-"}})
        EXPECT_EQ(row(browser), value) << browser << ": browsers are switched on unless the user chose";

    const std::tuple<Timer*, int, bool> timers[] = {
        {&app.timers().selectionWatch, 50, true}, {&app.timers().pageLoad, 500, true},
        {&app.timers().reconnect, 500, true},     {&app.timers().translationTimeout, 65535, false},
        {&app.timers().iconLeave, 50, false},     {&app.timers().progressDots, 200, false}};
    for (const auto& [timer, interval, running] : timers) {
        EXPECT_EQ(timer->interval(), interval);
        EXPECT_EQ(timer->isRunning(), running) << interval;
    }
    EXPECT_EQ(menu().reconnectItem->text(), "Connecting...");
    EXPECT_FALSE(menu().reconnectItem->isEnabled() || menu().toggleItem->isEnabled());
    EXPECT_EQ(app.tray()->toolTip(), "Quillora  - Connecting...");

    QSignalSpy balloons(app.tray(), &TrayIcon::balloonShown);
    fire(app.timers().pageLoad);
    EXPECT_EQ(menu().reconnectItem->text(), "Reconnect");
    EXPECT_TRUE(menu().reconnectItem->isEnabled());
    EXPECT_EQ(app.tray()->picture(), TrayPicture::Disabled);
    EXPECT_EQ(app.tray()->toolTip(), "Quillora ");
    ASSERT_EQ(balloons.size(), 1) << "the published 9.0.0 is newer";
    EXPECT_EQ(balloons.at(0).at(0).toString() + "|" + balloons.at(0).at(1).toString(),
              "New version 9.0.0|A new Quillora Version is available.\r\n Click here to download.");
    EXPECT_EQ(window().updateLink->caption(), "New v9.0.0");
    EXPECT_FALSE(window().updateLink->isHidden());

    app.state().translationCache.insert("k1", "hola");
    const auto entries = app.state().settings.entries().size();
    menu().reconnectItem->trigger();
    app.applySettings();
    EXPECT_TRUE(app.state().translationCache.isEmpty()) << "each apply empties the cache";
    EXPECT_EQ(app.state().settings.entries().size(), entries) << "and adds no defaults twice";
    EXPECT_EQ(page->navigations.size(), 3);
}

TEST_F(ApplicationTest, ASelectionInAnEnabledApplicationIsTranslatedInThePopup)
{
    // The desktop delivers presses and foreground changes as events: no tick runs.
    desktop.fakeInput.deliversEvents = desktop.fakeWindows.deliversForegroundChanges = true;
    setRow("xterm", "-1");
    ASSERT_NO_FATAL_FAILURE(start({"ControlMode=3", "SmoothGlide=0", "language=", "googlelink=https://a.org/"}));
    EXPECT_FALSE(app.timers().selectionWatch.isRunning());
    fire(app.timers().pageLoad);
    EXPECT_NE(app.dialogs().languageDialog(), nullptr) << "no language yet: it is asked for";
    desktop.fakeWindows.foregroundHandler();
    EXPECT_EQ(app.state().currentApplication, "xterm");
    EXPECT_EQ(menu().toggleItem->text(), "Disable in xterm");
    EXPECT_TRUE(menu().toggleItem->isEnabled());

    desktop.fakeWindows.onCopyMessage = [](WindowHandle) { return std::optional<QString>("Good morning"); };
    drag(100, 200, 300, 200);
    EXPECT_EQ(page->log.mid(page->log.size() - 2), QStringList({"value text=Good morning", "click btn"}));
    EXPECT_TRUE(window().isVisible()) << "ControlMode 3 opens at once";
    fire(app.timers().progressDots);
    EXPECT_EQ(popup().shownText(), "") << "five waiting dots become none";
    fire(app.timers().resultPoll);
    EXPECT_EQ(popup().shownText(), "es:Good morning");
    EXPECT_EQ(window().directionLink->caption(), "en → es");
    EXPECT_EQ(app.state().translationCache.value(textCacheKey("Good morning")), "es:Good morning");

    emit window().copyLink->clicked();
    EXPECT_EQ(desktop.fakeClipboard.block(platform::format::UnicodeText), platform::blocks::unicodeText("es:Good morning"));
    EXPECT_FALSE(window().isVisible());
    drag(100, 200, 300, 200);
    emit window().serviceLink->clicked();
    drag(100, 200, 300, 200);
    emit window().directionLink->clicked();
    EXPECT_TRUE(app.mainWindow()->isVisible()) << "the direction link shows the page";
    EXPECT_TRUE(app.mainWindow()->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << "in front, in the topmost band";
    emit window().updateLink->clicked();
    for (const char* link : {"javascript:alert(1)", "file:///etc/passwd", "https://example.org/help"})
        page->externalLinkHandler(link);
    EXPECT_EQ(desktop.fakeShell.opened,
              QStringList({"https://a.org/", "https://example.org/get", "https://example.org/help"}))
        << "the page opens web addresses only";

    // The secondary button on the icon switches xterm off for good.
    drag(100, 200, 300, 200);
    emit popup().icon().offerPicture->mouseDown(2);
    EXPECT_EQ(row("xterm"), "0");
    EXPECT_EQ(menu().toggleItem->text(), "Enable in xterm");
    page->log.clear();
    drag(100, 200, 300, 200);
    EXPECT_TRUE(page->log.isEmpty());

    // xterm closed and a new window got its id: the change event is believed.
    desktop.fakeProcesses.running.append({13, 1, 1, 0, "gedit"});
    desktop.fakeWindows.processIds[Xterm] = 13;
    desktop.fakeWindows.foregroundHandler();
    EXPECT_EQ(app.state().currentApplication, "gedit");
}

TEST_F(ApplicationTest, APageLetGoOrLostComesBackAndWhatWaitedForItIsSentOrEnds)
{
    desktop.fakeInput.deliversEvents = desktop.fakeWindows.deliversForegroundChanges = true;
    setRow("xterm", "-1");
    ASSERT_NO_FATAL_FAILURE(start({"ControlMode=3", "SmoothGlide=0", "language=enes", "timeoutstr=Too slow"}));
    fire(app.timers().pageLoad);
    desktop.fakeWindows.foregroundHandler();
    desktop.fakeWindows.onCopyMessage = [](WindowHandle) { return std::optional<QString>("Good morning"); };

    // Let go while unused: the tray does not change, and the next selection brings it back.
    app.connection()->rest();
    EXPECT_EQ(page->log.last(), "discard");
    EXPECT_EQ(app.tray()->toolTip(), "Quillora ");
    EXPECT_TRUE(menu().toggleItem->isEnabled());
    drag(100, 200, 300, 200);
    EXPECT_EQ(page->navigations.size(), 2);
    fire(app.timers().pageLoad);
    EXPECT_EQ(page->log.mid(page->log.size() - 2), QStringList({"value text=Good morning", "click btn"}));
    fire(app.timers().resultPoll);
    EXPECT_EQ(popup().shownText(), "es:Good morning");

    // The renderer dies while a translation is awaited.
    page->onClick = nullptr;
    desktop.fakeWindows.onCopyMessage = [](WindowHandle) { return std::optional<QString>("Good night"); };
    drag(100, 200, 300, 200);
    page->lossHandler();
    EXPECT_EQ(popup().shownText(), "Too slow");
    EXPECT_FALSE(app.state().connected || app.state().pageReady);
    EXPECT_EQ(app.tray()->toolTip(), "Quillora  - Connecting...");
    EXPECT_EQ(page->navigations.size(), 3) << "loaded again at once";
    page->lossHandler();
    EXPECT_FALSE(app.state().connected || app.timers().pageLoad.isEnabled());
    EXPECT_EQ(page->navigations.size(), 3) << "a page that dies again soon waits for the reconnect timer";
    fire(app.timers().reconnect);
    EXPECT_EQ(page->navigations.size(), 4);
    fire(app.timers().pageLoad);
    ASSERT_TRUE(app.state().pageReady);
    page->lossHandler();
    EXPECT_FALSE(app.state().connected || app.state().pageReady) << "lost again: not ready at once";
}

TEST_F(ApplicationTest, ThePagesOwnServerComesWithTheConnectionRestsWithThePageAndSaysOnceWhyItCannotStart)
{
    // A page of ours: its config.js names a port nothing listens on, its launcher lies beside it.
    QTemporaryDir folder;
    const auto placePage = [&](const QString& name, const QString& script) {
        const QString launcher = folder.filePath(name + "/server/translation-server.py");
        EXPECT_TRUE(QDir(folder.path()).mkpath(name + "/server") && standin::write(launcher, script));
        QTcpServer probe;
        EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        desktop.fakeFiles.files.insert(launcher, {});
        desktop.fakeFiles.files.insert(folder.filePath(name + "/page/config.js"),
                                       QString("window.QUILLORA_PAGE = {\n    apyPort: %1,\n};\n").arg(probe.serverPort()).toUtf8());
        return "file://" + folder.filePath(name + "/page/index.html");
    };
    const auto notes = [&](const QString& name) { return standin::notes(folder.filePath(name)); };
    ASSERT_NO_FATAL_FAILURE(start({"serviceurl=" + placePage("ours", standin::Staying), "language=enes"}));
    // The page asked before the server answered: it is loaded again once it does.
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->navigations.size() == 2; }, 5000)) << page->navigations.size();
    EXPECT_EQ(notes("ours/server/starts").size(), 1);
    fire(app.timers().pageLoad);
    ASSERT_TRUE(app.state().connected);

    app.connection()->rest();
    EXPECT_TRUE(QTest::qWaitFor([&] { return notes("ours/server/signals") == QStringList{"released"}; }, 5000))
        << "resting, the page's server lets its pipelines go";
    app.connection()->wake();
    EXPECT_TRUE(QTest::qWaitFor([&] { return notes("ours/server/signals").value(1) == "warmed"; }, 5000))
        << "and starts them again while the page loads";
    fire(app.timers().pageLoad);
    ASSERT_TRUE(app.state().pageReady);

    // It dies: the page cannot translate, counts as lost, and the server starts again.
    const pid_t first = pid_t(app.server()->processId());
    ASSERT_GT(first, 0);
    ::kill(-first, SIGKILL);
    ASSERT_TRUE(QTest::qWaitFor([&] { return notes("ours/server/starts").size() == 2; }, 5000));
    EXPECT_FALSE(app.state().connected);
    EXPECT_TRUE(QTest::qWaitFor([&] { return page->navigations.size() == 5; }, 5000)) << page->navigations.size();

    // A server that cannot start: one line on the standard error and under the tip, no
    // new start at every reconnect tick, and one more when the user asks to reconnect.
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings.append(text); });
    const QString why = "translation server: no Apertium language pairs are installed in /none";
    app.state().settings.set("serviceurl", placePage("broken", standin::failing(why)));
    emit menu().reconnectRequested();
    const bool said = QTest::qWaitFor([&] { return !warnings.isEmpty(); }, 5000);
    for (int tick = 0; tick < 3; ++tick)
        fire(app.timers().reconnect);
    QTest::qWait(200); // room for a wrong restart
    const QStringList saidOnce = warnings;
    emit menu().reconnectRequested();
    const bool saidAgain = QTest::qWaitFor([&] { return warnings.size() == 2; }, 5000);
    qInstallMessageHandler(previous);
    ASSERT_TRUE(said);
    EXPECT_EQ(saidOnce, QStringList{"qlr: " + why});
    EXPECT_EQ(app.tray()->toolTip(), "Quillora  - Connecting...\n" + why);
    EXPECT_TRUE(saidAgain);
    EXPECT_EQ(notes("broken/server/starts").size(), 2);
}

TEST_F(ApplicationTest, TheTrayIconAndItsMenuSwitchTheApplicationInFrontAndOpenThePage)
{
    ASSERT_NO_FATAL_FAILURE(start({"language=enes"}));
    fire(app.timers().pageLoad);
    fire(app.timers().selectionWatch);
    TrayIcon& tray = *app.tray();
    const auto press = [&](double at) {
        desktop.fakeClock.now = at;
        tray.handleMouseMessage(TrayIcon::LeftButtonDown);
    };
    press(100);
    EXPECT_EQ(tray.picture(), TrayPicture::Enabled);
    EXPECT_EQ(row("xterm"), "-1");
    press(100.2);
    EXPECT_TRUE(app.mainWindow()->isVisible()) << "a second press within 0.3 s opens the window";
    EXPECT_TRUE(app.state().translationEnabled);
    app.mainWindow()->hide();
    press(100.5);
    EXPECT_FALSE(app.state().translationEnabled);
    EXPECT_FALSE(app.mainWindow()->isVisible());
    press(86399.95);
    press(0.05);
    EXPECT_FALSE(app.state().translationEnabled) << "across midnight it is two single clicks";
    menu().toggleItem->trigger();
    EXPECT_TRUE(app.state().translationEnabled);
    tray.handleMouseMessage(TrayIcon::LeftButtonDoubleClick);
    EXPECT_EQ(app.mainWindow()->pageView, page->view());
    app.mainWindow()->hide();
    menu().openItem->trigger();
    EXPECT_TRUE(app.mainWindow()->isVisible());

    QMenu* shown = nullptr;
    tray.popupMenu = [&](QMenu* shownMenu, const QPoint&) {
        shown = shownMenu;
        tray.handleMouseMessage(TrayIcon::LeftButtonDown); // dropped while the menu is open
    };
    tray.handleMouseMessage(TrayIcon::RightButtonUp);
    EXPECT_EQ(shown, &menu());
    EXPECT_EQ(menu().defaultAction(), menu().toggleItem);
    EXPECT_TRUE(app.state().translationEnabled);
    QStringList captions;
    for (QAction* action : menu().actions())
        captions.append(action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(captions, QStringList({"Disable in xterm", "-", "Open", "Reconnect", "About", "-", "Settings", "-", "Exit"}));
    menu().settingsItem->trigger();
    menu().aboutItem->trigger();
    EXPECT_TRUE(app.dialogs().settingsDialog() && app.dialogs().aboutDialog());
    for (const auto& [reason, message] : {std::pair{QSystemTrayIcon::Trigger, 513}, {QSystemTrayIcon::DoubleClick, 515},
                                          {QSystemTrayIcon::Context, 517}, {QSystemTrayIcon::MiddleClick, 0}})
        EXPECT_EQ(TrayIcon::messageFor(reason), message);

    // The switch follows the foreground; the desktop and unknown windows keep it.
    for (const WindowHandle excluded : {Desktop, FileManagerDesktop, WindowHandle(999)}) {
        desktop.fakeWindows.foreground = excluded;
        fire(app.timers().selectionWatch);
        EXPECT_FALSE(app.pipeline()->appSwitch().watchActive);
        EXPECT_EQ(app.state().currentApplication, "xterm");
    }
    // A window whose process is not told goes by its application id.
    desktop.fakeWindows.applicationIds.insert(WindowHandle(998), "org.example.Foot");
    desktop.fakeWindows.foreground = WindowHandle(998);
    fire(app.timers().selectionWatch);
    EXPECT_EQ(app.state().currentApplication, "org.example.foot");
    for (const auto& [value, on] : {std::pair{"2", true}, {"0", false}, {"abc", false}}) {
        setRow("kate", value);
        EXPECT_EQ(app.pipeline()->appSwitch().storedRow("kate"), on) << value;
    }
}

TEST_F(ApplicationTest, ExitEndsAtOnceUnlessAskedToEndNormallyAndASecondInstanceEndsQuietly)
{
    ASSERT_NO_FATAL_FAILURE(start({}));
    for (const auto& [cmdLine, terminates] : {std::pair{"", true}, {"--x /t", false}, {"/T", true}}) {
        desktop.fakeSession.terminatedWith.reset();
        desktop.fakeSession.cmdLine = cmdLine;
        const int handOvers = desktop.fakeClipboard.handOvers;
        menu().exitItem->trigger();
        EXPECT_EQ(desktop.fakeSession.terminatedWith == 0, terminates) << cmdLine;
        EXPECT_EQ(desktop.fakeClipboard.handOvers, handOvers + 1) << "the clipboard goes to its manager first";
    }
    desktop.fakeSession.terminatedWith.reset();
    desktop.fakeSession.endRequestHandler();
    EXPECT_EQ(desktop.fakeSession.terminatedWith, 0) << "the system asking to end runs Exit";
    desktop.fakeSession.cmdLine.clear();
    desktop.fakeSession.terminatedWith.reset();
    bool cancel = false;
    app.mainWindow()->show();
    app.mainWindow()->decideClose(cancel, MainWindow::CloseReason::UserClose);
    EXPECT_TRUE(cancel && !app.mainWindow()->isVisible()) << "closing only hides it";
    cancel = false;
    app.mainWindow()->decideClose(cancel, MainWindow::CloseReason::FromCode);
    EXPECT_FALSE(cancel || desktop.fakeSession.terminatedWith.has_value());
    app.mainWindow()->decideClose(cancel, MainWindow::CloseReason::SessionEnd);
    EXPECT_EQ(desktop.fakeSession.terminatedWith, 0) << "the session ending runs Exit";

    FakeDesktop second;
    second.fakeSession.otherInstanceRunning = true;
    Application other(second, std::make_unique<FakeServicePage>());
    EXPECT_FALSE(other.start());
    EXPECT_TRUE(other.mainWindow() == nullptr && other.state().settings.entries().isEmpty()) << "nothing loaded";
    EXPECT_TRUE(Application::quitRunningInstance(second)) << "--quit ends the one running";
    EXPECT_FALSE(Application::quitRunningInstance(second)) << "and then there is none";
    EXPECT_TRUE(desktop.fakeShell.notifications.isEmpty()) << "with a tray nothing is said";
}

TEST_F(ApplicationTest, WithoutANotificationAreaItSaysOnceHowToQuit)
{
    desktop.fakeShell.notificationArea = false;
    ASSERT_NO_FATAL_FAILURE(start({}));
    ASSERT_EQ(desktop.fakeShell.notifications.size(), 1);
    EXPECT_TRUE(desktop.fakeShell.notifications.at(0).endsWith("To quit Quillora, run: qlr --quit"));
    app.applySettings();
    EXPECT_EQ(desktop.fakeShell.notifications.size(), 1) << "once";
}

TEST(ProcessTable, FindsTheOwnerOfAWindowInASnapshotOfAnySize)
{
    platform::fake::FakeProcesses processes;
    QMap<WindowHandle, std::uint32_t> owners;
    ProcessTable table(processes, [&](WindowHandle w) { return owners.value(w); });
    for (int count : {1, 20, 21, 41}) {
        processes.running.clear();
        for (int i = 1; i <= count; ++i)
            processes.running.append({std::uint32_t(1000 + i), 1, 3, 20, QString("app%1").arg(i)});
        ASSERT_EQ(table.takeSnapshot(), count);
        owners.insert(77, 1000 + count);
        EXPECT_EQ(table.executableOfWindow(77), QString("app%1").arg(count)) << count;
    }
    EXPECT_EQ(table.executableOfWindow(2), "") << "an unknown window is process 0, entry 0 is empty";
    processes.snapshotFails = true;
    EXPECT_EQ(table.takeSnapshot(), 0);
    EXPECT_EQ(table.entry(2).exeFile, "app2") << "a failed snapshot leaves the table";
    processes.snapshotFails = false;
    processes.running = {{5, 1, 1, 0, "one"}};
    owners.insert(9, 1003);
    EXPECT_EQ(table.executableOfWindow(9), "") << "records above the new count are not searched";
}

} // namespace
