// The whole program on the fake desktop with an in-memory service page: start-up,
// the road of a selection through every part, the tray icon and its menu, the
// per-application switch, and ending.
#include "FakeDesktop.h"
#include "ServerStandIn.h"
#include "common/LinkLabel.h"
#include "config/Dialogs.h"
#include "config/LanguageDialog.h"
#include "core/Application.h"
#include "core/MainWindow.h"
#include "core/TranslationPipeline.h"
#include "core/TrayIcon.h"
#include "core/TrayMenu.h"
#include "popup/FloatingIcon.h"
#include "popup/IconPicture.h"
#include "popup/Popup.h"
#include "popup/TranslationPopup.h"
#include "service/Connection.h"
#include "service/TranslationServer.h"
#include "service/fake/FakeServicePage.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMetaMethod>
#include <QSessionManager>
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
            page->elements[page::selto].options = {{"auto", "Detect"}, {"es", "Spanish"}, {"ca", "Catalan"}};
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
    // The desktop delivers presses and foreground changes as events: no tick runs.
    void startWithEvents(const QStringList& programFile)
    {
        desktop.fakeInput.deliversEvents = desktop.fakeWindows.deliversForegroundChanges = true;
        start(programFile);
    }
    QString row(const QString& key) { return desktop.fakeStore.rows.value("qlr/Applications/" + key, "-"); }
    void setRow(const QString& key, const QString& value) { desktop.fakeStore.rows.insert("qlr/Applications/" + key, value); }
    void wait(int ms) { desktop.fakeClock.advance(ms); }
    // A drag from (x0, y0) to (x1, y1) as the watcher's events or ticks see it.
    void drag(int x0, int y0, int x1, int y1)
    {
        desktop.fakeClock.now += 5;
        for (const bool down : {true, false}) {
            desktop.fakeInput.cursor = down ? QPoint(x0, y0) : QPoint(x1, y1);
            desktop.fakeInput.setButton(Qt::LeftButton, down, std::uint32_t(desktop.fakeClock.now * 1000));
            if (app.pipeline()->watcher().isTicking())
                wait(50);
        }
    }
    Popup& popup() { return *app.popup(); }
    TranslationPopup& window() { return popup().translationWindow(); }
    TrayMenu& menu() { return *app.trayMenu(); }
    Connection& connection() { return *app.connection(); }
    PerApplicationSwitch& appSwitch() { return app.pipeline()->appSwitch(); }
};

TEST_F(ApplicationTest, StartUpReadsTheSettingsConnectsAndOffersAnUpdate)
{
    desktop.fakeScreen.swapped = true;
    setRow("chrome.exe", "0");
    setRow("opera.exe", "-1");
    ASSERT_NO_FATAL_FAILURE(start({"Color=255,255,225", "TextColor=0,0,255", "Gray=128,128,128", "border=1",
                                   "CheckConnectionInterval=0.5", "servertimeout=66", "serviceurl=file:///p.html",
                                   "language=enes", "Transparency=300", "ControlMode=7"}));
    const AppSettings& s = app.appliedSettings();
    EXPECT_EQ(QList<Colour>({s.background, s.text, s.gray}), QList<Colour>({0xE1FFFF, 0xFF0000, 0x808080}));
    EXPECT_EQ(s.primaryButton, Qt::RightButton) << "swapped buttons";
    EXPECT_EQ(s.transparency, 255);
    EXPECT_EQ(s.trigger, TriggerMode::ClickIcon) << "any other mode acts as the icon";
    EXPECT_EQ(QPoint(s.reconnectMs, s.translationTimeoutMs), QPoint(500, 65535));
    EXPECT_EQ(app.settings().value("Border"), "1") << "a stored value keeps its place";
    EXPECT_EQ(app.settings().value("ControlMode") + app.settings().value("Shadow"), "71");
    EXPECT_EQ(app.mainWindow()->size(), QSize(568, 358));
    EXPECT_EQ(page->navigations, QStringList{"file:///p.html?dir=enes"});
    for (const auto& [browser, value] : {std::pair{"chrome.exe", "1"}, {"opera.exe", "-1"}, {"firefox-esr", "1"},
                                         {"safari.exe", "1"}, {"xterm", "-"}})
        EXPECT_EQ(row(browser), value) << browser << ": browsers are switched on unless the user chose";
    EXPECT_EQ(menu().reconnectItem->text(), "Connecting...");
    EXPECT_FALSE(menu().reconnectItem->isEnabled() || menu().toggleItem->isEnabled());
    EXPECT_EQ(app.tray()->toolTip(), "Quillora  - Connecting...");

    QSignalSpy balloons(app.tray(), &TrayIcon::balloonShown);
    wait(500);
    EXPECT_EQ(menu().reconnectItem->text(), "Reconnect");
    EXPECT_TRUE(menu().reconnectItem->isEnabled());
    EXPECT_EQ(app.tray()->picture(), TrayPicture::Disabled);
    EXPECT_EQ(app.tray()->toolTip(), "Quillora ");
    ASSERT_EQ(balloons.size(), 1) << "the published 9.0.0 is newer";
    EXPECT_EQ(balloons.at(0).at(0).toString() + "|" + balloons.at(0).at(1).toString(),
              "New version 9.0.0|A new Quillora Version is available.\r\n Click here to download.");
    EXPECT_EQ(window().updateLink->caption(), "New v9.0.0");
    EXPECT_FALSE(window().updateLink->isHidden());

    const auto entries = app.settings().entries().size();
    menu().reconnectItem->trigger();
    app.applySettings();
    EXPECT_EQ(app.settings().entries().size(), entries) << "an apply adds no defaults twice";
    EXPECT_EQ(page->navigations.size(), 3);
}

TEST_F(ApplicationTest, ASelectionInAnEnabledApplicationIsTranslatedInThePopup)
{
    setRow("xterm", "-1");
    ASSERT_NO_FATAL_FAILURE(startWithEvents({"ControlMode=3", "SmoothGlide=0", "language=", "googlelink=https://a.org/"}));
    EXPECT_FALSE(app.pipeline()->watcher().isTicking());
    wait(500);
    EXPECT_NE(app.dialogs().languageDialog(), nullptr) << "no language yet: it is asked for";
    desktop.fakeWindows.foregroundHandler();
    EXPECT_EQ(appSwitch().currentApplication(), "xterm");
    EXPECT_EQ(menu().toggleItem->text(), "Disable in xterm");
    EXPECT_TRUE(menu().toggleItem->isEnabled());

    desktop.fakeWindows.onSelectedText = [](WindowHandle) { return std::optional<QString>("Good morning"); };
    drag(100, 200, 300, 200);
    EXPECT_EQ(page->log.mid(page->log.size() - 2), QStringList({"value text=Good morning", "click btn"}));
    EXPECT_TRUE(window().isVisible()) << "just select opens at once";
    EXPECT_EQ(popup().shownText(), ".....");
    wait(100);
    EXPECT_EQ(popup().shownText(), "es:Good morning");
    EXPECT_EQ(window().directionLink->caption(), "en → es");
    EXPECT_EQ(app.pipeline()->request().cache().find("Good morning"), "es:Good morning");

    emit window().copyLink->clicked();
    EXPECT_EQ(desktop.fakeClipboard.text(), "es:Good morning");
    wait(200);
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
    emit popup().icon().offerPicture->mouseDown(Qt::RightButton);
    EXPECT_EQ(row("xterm"), "0");
    EXPECT_EQ(menu().toggleItem->text(), "Enable in xterm");
    page->log.clear();
    drag(100, 200, 300, 200);
    EXPECT_TRUE(page->log.isEmpty());

    // xterm closed and a new window got its id: the change event is believed.
    desktop.fakeProcesses.running.append({13, 1, 1, 0, "gedit"});
    desktop.fakeWindows.processIds[Xterm] = 13;
    desktop.fakeWindows.foregroundHandler();
    EXPECT_EQ(appSwitch().currentApplication(), "gedit");
}

TEST_F(ApplicationTest, APageLetGoOrLostComesBackAndWhatWaitedForItIsSentOrEnds)
{
    setRow("xterm", "-1");
    ASSERT_NO_FATAL_FAILURE(startWithEvents({"ControlMode=3", "SmoothGlide=0", "language=enes",
                                             "timeoutstr=Too slow", "CheckConnectionInterval=30"}));
    QSignalSpy balloons(app.tray(), &TrayIcon::balloonShown);
    wait(500);
    ASSERT_EQ(balloons.size(), 1);
    desktop.fakeWindows.foregroundHandler();
    desktop.fakeWindows.onSelectedText = [](WindowHandle) { return std::optional<QString>("Good morning"); };

    // Let go while unused: the tray does not change, the language dialog still lists
    // the page's languages, and the next selection brings the page back.
    wait(Connection::RestAfterMs);
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
    wait(500);
    EXPECT_EQ(balloons.size(), 1) << "waking from a rest is no new connection: no second update offer";
    EXPECT_TRUE(window().updateLink->isHidden());
    EXPECT_EQ(page->log.mid(page->log.size() - 2), QStringList({"value text=Good morning", "click btn"}));
    wait(100);
    EXPECT_EQ(popup().shownText(), "es:Good morning");

    // The renderer dies while a translation is awaited.
    page->onClick = nullptr;
    desktop.fakeWindows.onSelectedText = [](WindowHandle) { return std::optional<QString>("Good night"); };
    drag(100, 200, 300, 200);
    page->lossHandler();
    EXPECT_EQ(popup().shownText(), "Too slow");
    EXPECT_FALSE(connection().isConnected() || connection().isReady());
    EXPECT_EQ(app.tray()->toolTip(), "Quillora  - Connecting...");
    EXPECT_EQ(page->navigations.size(), 3) << "loaded again at once";
    page->lossHandler();
    EXPECT_FALSE(connection().isConnected() || connection().isLoading());
    EXPECT_EQ(page->navigations.size(), 3) << "a page that dies again soon waits for the reconnect timer";
    wait(30000);
    EXPECT_EQ(page->navigations.size(), 4);
    wait(500);
    ASSERT_TRUE(connection().isReady());
    page->lossHandler();
    EXPECT_FALSE(connection().isConnected() || connection().isReady()) << "lost again: not ready at once";
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
    const auto starts = [&] { return standin::notes(folder.filePath("ours/server/starts")).size(); };
    // The fake platform starts the stand-ins in no group of their own: the test ends
    // each and its child.
    const auto endServer = [&](qint64 pid) {
        ::kill(pid_t(standin::notes(folder.filePath("ours/server/child")).value(0).toLongLong()), SIGKILL);
        ::kill(pid_t(pid), SIGKILL);
    };
    ASSERT_NO_FATAL_FAILURE(start({"serviceurl=" + placePage("ours", standin::Staying), "language=enes"}));
    // The page asked before the server answered: it is loaded again once it does.
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->navigations.size() == 2; }, 5000)) << page->navigations.size();
    EXPECT_EQ(starts(), 1);
    wait(500);
    ASSERT_TRUE(connection().isConnected());
    const qint64 first = app.server()->processId();
    ASSERT_GT(first, 0);
    EXPECT_TRUE(desktop.fakeProcesses.sent.isEmpty());

    // Resting, it lets its pipelines go; the page loaded again, it starts them.
    wait(Connection::RestAfterMs);
    connection().wake();
    EXPECT_EQ(desktop.fakeProcesses.sent, QStringList({QString("%1 2").arg(first), QString("%1 3").arg(first)}));
    wait(500);

    // A server that cannot start: one line on the standard error and under the tip, no
    // new start at every reconnect tick, and one more when the user asks to reconnect.
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings.append(text); });
    const QString why = "translation server: no Apertium language pairs are installed in /none";
    app.settings().set("serviceurl", placePage("broken", standin::failing(why)));
    app.applySettings();
    const bool said = QTest::qWaitFor([&] { return !warnings.isEmpty(); }, 5000);
    wait(3 * 30000);
    QTest::qWait(200); // room for a wrong restart
    const QStringList saidOnce = warnings;
    emit menu().reconnectRequested();
    const bool saidAgain = QTest::qWaitFor([&] { return warnings.size() == 2; }, 5000);
    qInstallMessageHandler(previous);
    ASSERT_TRUE(said);
    EXPECT_EQ(saidOnce, QStringList{"qlr: " + why});
    EXPECT_EQ(app.tray()->toolTip(), "Quillora  - Connecting...\n" + why);
    EXPECT_TRUE(saidAgain);
    EXPECT_EQ(standin::notes(folder.filePath("broken/server/starts")).size(), 2);
    EXPECT_TRUE(desktop.fakeProcesses.sent.contains(QString("%1 0 group").arg(first))) << "ours for the old page ended";
    endServer(first);
}

TEST_F(ApplicationTest, AnotherStartsRequestTranslatesThePrimarySelectionAtThePointerEvenWhereTranslationIsOff)
{
    ASSERT_NO_FATAL_FAILURE(startWithEvents({"ControlMode=1", "SmoothGlide=0", "language=enes"}));
    wait(500);
    desktop.fakeWindows.foregroundHandler();
    ASSERT_FALSE(appSwitch().translationEnabled());
    const auto& request = desktop.fakeSession.instanceRequestHandler;
    ASSERT_TRUE(request);
    desktop.fakeInput.cursor = QPoint(400, 300);
    EXPECT_TRUE(request("translate")) << "taken with nothing selected too";
    wait(100);
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(request("quit")) << "no request of the program's";

    desktop.fakeWindows.primaryText = "Good morning";
    EXPECT_TRUE(request("translate"));
    wait(100);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(popup().shownText(), "es:Good morning");
    EXPECT_LE((window().frameGeometry().topLeft() - QPoint(400, 300)).manhattanLength(), 60);
    EXPECT_TRUE(desktop.fakeWindows.selectionRequests.isEmpty()) << "no capture: the key asked for this text";
}

TEST_F(ApplicationTest, TheTrayIconAndItsMenuSwitchTheApplicationInFrontAndOpenThePage)
{
    ASSERT_NO_FATAL_FAILURE(start({"language=enes"}));
    wait(500);
    TrayIcon& tray = *app.tray();
    const auto press = [&](double at) {
        desktop.fakeClock.now = at;
        tray.activate(QSystemTrayIcon::Trigger);
    };
    press(100);
    EXPECT_EQ(tray.picture(), TrayPicture::Enabled);
    EXPECT_EQ(row("xterm"), "-1");
    press(100.2);
    EXPECT_TRUE(app.mainWindow()->isVisible()) << "a second press within 0.3 s opens the window";
    EXPECT_TRUE(appSwitch().translationEnabled());
    app.mainWindow()->hide();
    press(100.5);
    EXPECT_FALSE(appSwitch().translationEnabled());
    EXPECT_FALSE(app.mainWindow()->isVisible());
    press(86399.95);
    press(0.05);
    EXPECT_FALSE(appSwitch().translationEnabled()) << "across midnight it is two single clicks";
    menu().toggleItem->trigger();
    EXPECT_TRUE(appSwitch().translationEnabled());
    tray.activate(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(app.mainWindow()->pageView, page->view());
    app.mainWindow()->hide();
    menu().openItem->trigger();
    EXPECT_TRUE(app.mainWindow()->isVisible());

    tray.activate(QSystemTrayIcon::Context);
    EXPECT_TRUE(menu().isVisible()) << "the menu pops up at the pointer";
    EXPECT_EQ(menu().defaultAction(), menu().toggleItem);
    tray.activate(QSystemTrayIcon::Context);
    EXPECT_FALSE(menu().isVisible()) << "and goes again";
    QStringList captions;
    for (QAction* action : menu().actions())
        captions.append(action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(captions, QStringList({"Disable in xterm", "-", "Open", "Reconnect", "About", "-", "Settings", "-", "Exit"}));
    menu().settingsItem->trigger();
    menu().aboutItem->trigger();
    EXPECT_TRUE(app.dialogs().settingsDialog() && app.dialogs().aboutDialog());

    // The switch follows the foreground; the desktop and unknown windows keep it.
    for (const WindowHandle excluded : {Desktop, FileManagerDesktop, WindowHandle(999)}) {
        desktop.fakeWindows.foreground = excluded;
        wait(50);
        EXPECT_FALSE(appSwitch().watchActive());
        EXPECT_EQ(appSwitch().currentApplication(), "xterm");
    }
    // A window whose process is not told goes by its application id.
    desktop.fakeWindows.applicationIds.insert(WindowHandle(998), "org.example.Foot");
    desktop.fakeWindows.foreground = WindowHandle(998);
    wait(50);
    EXPECT_EQ(appSwitch().currentApplication(), "org.example.foot");
    for (const auto& [value, on] : {std::pair{"2", true}, {"0", false}, {"abc", false}}) {
        setRow("kate", value);
        EXPECT_EQ(appSwitch().storedRow("kate"), on) << value;
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
    EXPECT_TRUE(other.mainWindow() == nullptr && other.settings().entries().isEmpty()) << "nothing loaded";
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
