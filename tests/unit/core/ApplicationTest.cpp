// The whole program on the fake desktop with an in-memory service page: start-up,
// the road of a selection through every part, the tray icon and its menu, the
// per-application switch, and ending.
#include "FakeDesktop.h"
#include "common/LinkLabel.h"
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
#include "service/Connection.h"
#include "service/fake/FakeServicePage.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMetaMethod>
#include <QSessionManager>
#include <QSignalSpy>
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

    app.state().translationCache.insert("hello", "hola");
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
    EXPECT_EQ(app.state().translationCache.find("Good morning"), "es:Good morning");

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
    const auto onNavigate = page->onNavigate;
    page->onNavigate = [this, onNavigate](const QString& url) {
        onNavigate(url);
        page->elements[page::selto].options = {{"auto", "Detect"}, {"es", "Spanish"}, {"ca", "Catalan"}};
    };
    ASSERT_NO_FATAL_FAILURE(start({"ControlMode=3", "SmoothGlide=0", "language=enes", "timeoutstr=Too slow"}));
    QSignalSpy balloons(app.tray(), &TrayIcon::balloonShown);
    fire(app.timers().pageLoad);
    ASSERT_EQ(balloons.size(), 1);
    desktop.fakeWindows.foregroundHandler();
    desktop.fakeWindows.onCopyMessage = [](WindowHandle) { return std::optional<QString>("Good morning"); };

    // Let go while unused: the tray does not change, the language dialog still lists
    // the page's languages, and the next selection brings the page back.
    app.connection()->rest();
    EXPECT_EQ(page->log.last(), "discard");
    EXPECT_EQ(app.tray()->toolTip(), "Quillora ");
    EXPECT_TRUE(menu().toggleItem->isEnabled());
    app.dialogs().showLanguage();
    ASSERT_NE(app.dialogs().languageDialog(), nullptr);
    EXPECT_EQ(app.dialogs().languageDialog()->languageList->count(), 2);
    EXPECT_TRUE(app.dialogs().languageDialog()->emptyNote->isHidden());
    app.dialogs().languageDialog()->close();
    window().updateLink->hide();
    drag(100, 200, 300, 200);
    EXPECT_EQ(page->navigations.size(), 2);
    fire(app.timers().pageLoad);
    EXPECT_EQ(balloons.size(), 1) << "waking from a rest is no new connection: no second update offer";
    EXPECT_TRUE(window().updateLink->isHidden());
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
    desktop.fakeSession.endRequestHandler();
    EXPECT_EQ(desktop.fakeSession.terminatedWith, 0) << "the system asking to end runs Exit";
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

    // The session manager asks to save data also when the session goes on: no end.
    // (Nothing listening reads the manager the signal carries.)
    desktop.fakeSession.terminatedWith.reset();
    alignas(QSessionManager) char manager[sizeof(QSessionManager)] = {};
    QMetaMethod::fromSignal(&QGuiApplication::commitDataRequest)
        .invoke(qApp, Qt::DirectConnection, Q_ARG(QSessionManager&, *reinterpret_cast<QSessionManager*>(manager)));
    EXPECT_FALSE(desktop.fakeSession.terminatedWith.has_value());
    // The session really ending makes the toolkit leave its event loop.
    QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection);
    EXPECT_EQ(desktop.fakeSession.terminatedWith, 0) << "the event loop ending runs Exit";

    // Only the switch itself, as an argument of its own, asks for the normal end.
    for (const auto& [args, terminates] : {std::pair{QStringList{}, true}, {QStringList{"/T"}, true},
                                           {QStringList{"/tmp/x"}, true}, {QStringList{"a /t"}, true},
                                           {QStringList{"--x", "/t"}, false}}) {
        desktop.fakeSession.terminatedWith.reset();
        desktop.fakeSession.args = args;
        const int handOvers = desktop.fakeClipboard.handOvers;
        menu().exitItem->trigger();
        EXPECT_EQ(desktop.fakeSession.terminatedWith == 0, terminates) << args.join(' ').toStdString();
        EXPECT_EQ(desktop.fakeClipboard.handOvers, handOvers + 1) << "the clipboard goes to its manager first";
    }
    EXPECT_FALSE(app.tray()->isShown()) << "the normal end removes the tray icon";
    const int handOvers = desktop.fakeClipboard.handOvers;
    QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection);
    EXPECT_EQ(desktop.fakeClipboard.handOvers, handOvers) << "the event loop it ends does not end it twice";

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
