// From a selection in a real application to the translation shown in the popup: the
// whole program in this process on the real X11 desktop, with the real service page,
// a real translation server, and real pointer input through XTest.
#include "ProgramOnDesktop.h"
#include "core/MainWindow.h"
#include "core/TrayIcon.h"
#include "core/TrayMenu.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <csignal>

namespace {

using SelectionToTranslation = ProgramOnDesktop;

TEST_F(SelectionToTranslation, XtermInEveryControlModeWithTheUsersClipboardUntouched)
{
    ASSERT_NE(driver.startCopyTarget({"--own-clipboard"}), nullptr);
    const auto usersClipboard = DesktopDriver::selectionContents();
    ASSERT_FALSE(usersClipboard.value("image/png").isEmpty());
    const unsigned long usersOwner = DesktopDriver::selectionOwner();
    ASSERT_NO_FATAL_FAILURE(startProgram());
    const Terminal term = openTranslatedTerminal();

    // Just select: the popup opens at once with the translation.
    selectSentence(term);
    ASSERT_TRUE(waitForPopupText(SentenceEs)) << popup().shownText().toStdString();
    EXPECT_EQ(DesktopDriver::activeWindow(), term.window.id) << "the popup never takes the focus";
    EXPECT_EQ(DesktopDriver::selectionOwner(), usersOwner) << "the clipboard is not even taken and put back";
    EXPECT_EQ(DesktopDriver::selectionContents(), usersClipboard);
    dismiss(term.at(60, 14));

    // A double click on a word, tapped faster than any polling would see, again and again.
    for (int i = 0; i < 10; ++i) {
        DesktopDriver::tap(term.at(2 + Sentence.indexOf("house") + 2, 3), 2, 20);
        ASSERT_TRUE(waitForPopupText("Casa")) << "double click " << i;
        dismiss(term.at(60, 14));
    }

    // Click the G icon: the selection offers the icon; a click on it opens the popup.
    setMode(TriggerMode::ClickIcon);
    const int requests = page->requests;
    selectSentence(term);
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup().icon().isVisible(); }, 5000));
    clickOnProgram(popup().icon().geometry().center());
    ASSERT_TRUE(waitForPopupText(SentenceEs));
    EXPECT_EQ(page->requests, requests) << "a repeated selection is answered from the cache";
    dismiss(term.at(60, 14));

    // Select and left-click: nothing shows until a click near the end of the selection.
    setMode(TriggerMode::ClickNearEnd);
    selectSentence(term);
    QTest::qWait(600);
    EXPECT_FALSE(popup().translationWindow().isVisible() || popup().icon().isVisible());
    DesktopDriver::click(term.at(2 + Sentence.size() - 1, 3) + QPoint(3, 0));
    ASSERT_TRUE(waitForPopupText(SentenceEs));
}

TEST_F(SelectionToTranslation, TheTranslateCommandTranslatesTheSelectionInAnApplicationThatIsOff)
{
    ASSERT_NO_FATAL_FAILURE(startProgram());
    const Terminal term = openTerminal();
    ASSERT_TRUE(waitForForeground("xterm", false));
    selectSentence(term);
    QTest::qWait(300);
    EXPECT_FALSE(popup().translationWindow().isVisible()) << "the application is off: nothing on selection";
    const QPoint pointer = term.at(30, 10);
    DesktopDriver::moveTo(pointer);
    const auto [code, said] = runTranslateCommand();
    EXPECT_EQ(code, 0) << said.toStdString();
    ASSERT_TRUE(waitForPopupText(SentenceEs)) << popup().shownText().toStdString();
    EXPECT_LE((platform::qt::toDevice(popup().translationWindow().frameGeometry().topLeft()) - pointer).manhattanLength(), 60);
}

// Run once more by ctest at scales 1.5 and 2, and with two monitors at scales 1 and 2:
// the terminal goes on the monitor with the largest scale.
TEST_F(SelectionToTranslation, TheIconAndThePopupLandBesideThePointerWhateverTheScreensScale)
{
    ASSERT_NO_FATAL_FAILURE(startProgram({"ControlMode=2", "SmoothGlide=0", "servertimeout=30"}));
    enableTranslationIn("xterm");
    QScreen* largest = QGuiApplication::primaryScreen();
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->devicePixelRatio() >= largest->devicePixelRatio())
            largest = screen;
    const QPoint corner = platform::qt::toDevice(largest->geometry().topLeft()) + QPoint(20, 60);
    const Terminal term = openTerminal(QString("60x12+%1+%2").arg(corner.x()).arg(corner.y()));
    ASSERT_TRUE(waitForForeground("xterm"));

    selectSentence(term);
    const QPoint release = platform::qt::toIndependent(term.at(2 + Sentence.size(), 3));
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup().icon().isVisible(); }, 10000));
    const QPoint offset = popup().icon().geometry().center() - (release + QPoint(18, 3));
    EXPECT_LE(std::max(std::abs(offset.x()), std::abs(offset.y())), 2)
        << "icon centre off by " << offset.x() << "," << offset.y() << " at scale " << largest->devicePixelRatio();

    clickOnProgram(popup().icon().geometry().center());
    ASSERT_TRUE(waitForPopupText(SentenceEs)) << popup().shownText().toStdString();
    const QRect shown = popup().translationWindow().frameGeometry();
    EXPECT_TRUE(largest->geometry().contains(shown)) << "the popup stays on the monitor under the pointer";
    EXPECT_LE(distance(shown, release), 40) << "the popup lies beside the release point";
}

TEST_F(SelectionToTranslation, AStalledRendererNeverPassesOffTheTranslationBeforeForTheNewOne)
{
    ASSERT_NO_FATAL_FAILURE(startProgram());
    const Terminal term = openTranslatedTerminal();
    selectSentence(term);
    ASSERT_TRUE(waitForPopupText(SentenceEs));
    dismiss(term.at(60, 14));

    // The page's renderer stops for 3 s while a new word is translated.
    const qint64 renderer = page->rendererProcessId();
    ASSERT_GT(renderer, 0);
    ASSERT_EQ(kill(pid_t(renderer), SIGSTOP), 0);
    DesktopDriver::tap(term.at(2 + Sentence.indexOf("garden") + 2, 3), 2, 20);
    QTest::qWait(3000);
    kill(pid_t(renderer), SIGCONT);
    const auto shown = [&] {
        const QString text = popup().shownText();
        return popup().translationWindow().isVisible() && !text.isEmpty() && text.count('.') != text.size();
    };
    ASSERT_TRUE(QTest::qWaitFor(shown, 30000));
    EXPECT_EQ(request().newestText(), "garden");
    EXPECT_NE(popup().shownText().toStdString(), SentenceEs.toStdString());
    EXPECT_NE(request().cache().find("garden").value_or("").toStdString(), SentenceEs.toStdString());
}

TEST_F(SelectionToTranslation, TheTrayIconIsEmbeddedAndOpenShowsAUsablePage)
{
    ASSERT_TRUE(QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 10000))
        << "the test desktop runs a tray host";
    ASSERT_NO_FATAL_FAILURE(startProgram());
    ASSERT_TRUE(QTest::qWaitFor([&] { return app->tray()->geometry().width() > 0; }, 10000)) << "embedded in the tray";

    // Open shows the page filling the main window, active, where a person can type
    // and translate at once (the first time too, when it is also made topmost).
    app->trayMenu()->openItem->trigger();
    MainWindow& window = *app->mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // The window's id as the desktop knows it now (making it topmost recreated it).
    const auto windowId = [&] { return window.windowHandle()->winId(); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return DesktopDriver::activeWindow() == windowId(); }, 5000))
        << "the desktop's active window is " << DesktopDriver::activeWindow() << ", not " << windowId();
    window.resize(700, 500);
    EXPECT_EQ(window.pageView->geometry(), QRect(0, 0, 700, 500));
    DesktopDriver::typeText("good morning");
    DesktopDriver::run("xdotool", {"key", "ctrl+Return"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return page->innerText(page::translation) == "buenos días"; }, 30000))
        << page->innerText(page::translation).value_or("(none)").toStdString();
}

} // namespace
