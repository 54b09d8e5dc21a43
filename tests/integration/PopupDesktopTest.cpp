// The popup opens from a real click on the icon, glides, and never takes the focus
// from the application the user works in; the back end reads the real pointer,
// buttons and foreground window.
#include "PopupDesktopFixture.h"
#include "popup/IconPicture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <set>

namespace {

TEST_F(PopupDesktop, AClickOnTheIconOpensThePopupWhichGlidesAndNeverTakesTheFocus)
{
    QTemporaryDir home;
    const QString typed = home.filePath("typed.txt");
    driver.start("xterm", {"-title", "qlr popup xterm", "-geometry", "80x20+40+40", "-e", "sh", "-c",
                           "cat > '" + typed + "'"});
    const DesktopDriver::Window xterm = DesktopDriver::waitForWindow("qlr popup xterm");
    ASSERT_TRUE(xterm);
    DesktopDriver::activate(xterm.id);
    ASSERT_EQ(DesktopDriver::activeWindow(), xterm.id);

    offerIcon(700, 500);
    EXPECT_EQ(DesktopDriver::activeWindow(), xterm.id) << "showing the icon";
    popup.showTranslation(QString("Der schnelle braune Fuchs springt über den faulen Hund. ").repeated(3));
    const QSize target = popup.translationWindow().size();
    std::set<int> widthsSeen;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (popup.translationWindow().isVisible())
            widthsSeen.insert(popup.translationWindow().width());
    });
    sampler.start(5);
    DesktopDriver::click(popup.icon().mapToGlobal(QPoint(8, 8)));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return popup.translationWindow().isVisible() && popup.translationWindow().size() == target; }, 5000));
    sampler.stop();
    EXPECT_GT(widthsSeen.size(), 3u) << "it glides through several widths";
    EXPECT_FALSE(popup.icon().closePicture->isHidden()) << "the icon shows the close mark";
    EXPECT_EQ(popup.translationWindow().geometry().right(), popup.icon().geometry().right());
    EXPECT_EQ(popup.translationWindow().y(), popup.icon().y() + 16);
    QTest::qWait(200);
    EXPECT_EQ(DesktopDriver::activeWindow(), xterm.id) << "the popup took the focus";

    // Typing still reaches the application; the popup stays.
    DesktopDriver::typeText("hello\n");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            QFile file(typed);
            return file.open(QIODevice::ReadOnly) && file.readAll() == "hello\n";
        },
        5000));
    EXPECT_TRUE(popup.translationWindow().isVisible());

    // A click on the close mark hides it all; the focus stays.
    DesktopDriver::click(popup.icon().mapToGlobal(QPoint(8, 8)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !popup.icon().isVisible(); }, 3000));
    EXPECT_FALSE(popup.translationWindow().isVisible() || popup.shadow().isVisible());
    EXPECT_EQ(DesktopDriver::activeWindow(), xterm.id);
}

TEST_F(PopupDesktop, TheRealPointerButtonsAndForegroundAreRead)
{
    DesktopDriver::moveTo({321, 234});
    EXPECT_TRUE(QTest::qWaitFor([&] { return desktop->input().cursorPos() == QPoint(321, 234); }, 1000));
    DesktopDriver::buttonDown(3);
    EXPECT_TRUE(desktop->input().isButtonDown(platform::Input::RightButton));
    EXPECT_FALSE(desktop->input().isButtonDown(platform::Input::LeftButton));
    DesktopDriver::buttonUp(3);
    EXPECT_FALSE(desktop->input().isButtonDown(platform::Input::RightButton));
    DesktopDriver::run("xdotool", {"keydown", "shift"});
    EXPECT_TRUE(desktop->input().isShiftDown());
    DesktopDriver::run("xdotool", {"keyup", "shift"});
    EXPECT_FALSE(desktop->input().isShiftDown());

    // The buttons are the physical ones, whatever the mapping makes of them.
    ASSERT_EQ(DesktopDriver::run("xmodmap", {"-e", "pointer = 3 2 1"}), "");
    EXPECT_TRUE(desktop->screen().mouseButtonsSwapped());
    DesktopDriver::buttonDown(1);
    const auto swapped = desktop->input().buttons();
    DesktopDriver::buttonUp(1);
    DesktopDriver::run("xmodmap", {"-e", "pointer = default"});
    EXPECT_TRUE(swapped.left) << "the physical left button, now the logical right";
    EXPECT_FALSE(swapped.right);
    EXPECT_FALSE(desktop->screen().mouseButtonsSwapped());

    // The foreground follows every activation, also back to a window seen before.
    const DesktopDriver::Window first = driver.startXterm("qlr first xterm", "first");
    const DesktopDriver::Window second = driver.startXterm("qlr second xterm", "second", "40x10+400+300");
    ASSERT_TRUE(first && second);
    for (const unsigned long window : {first.id, second.id, first.id}) {
        DesktopDriver::activate(window);
        EXPECT_TRUE(QTest::qWaitFor([&] { return desktop->windows().foregroundWindow() == window; }, 2000))
            << "still " << desktop->windows().foregroundWindow() << " after activating " << window;
    }
    EXPECT_TRUE(desktop->windows().windowRect(second.id).value_or(QRect()).contains(second.client))
        << "the outer rectangle holds the client area";
    EXPECT_GT(desktop->windows().windowProcessId(second.id), 0);
    EXPECT_TRUE(desktop->windows().windowClass(second.id).contains("xterm"));
}

} // namespace
