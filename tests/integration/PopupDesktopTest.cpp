// The popup opens from a real click on the icon, glides, and never takes the focus
// from the application the user works in.
#include "PopupDesktopFixture.h"
#include "popup/IconPicture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QTextEdit>
#include <set>

namespace {

const QString Translation =
    "Der schnelle braune Fuchs springt über den faulen Hund. Der schnelle braune Fuchs springt über den "
    "faulen Hund. Der schnelle braune Fuchs springt über den faulen Hund.";

class Xterm {
public:
    explicit Xterm(const QString& typedFile)
    {
        process_.start("xterm", {"-geometry", "80x20+40+40", "-e", "sh", "-c", "cat > '" + typedFile + "'"});
    }
    ~Xterm()
    {
        process_.kill();
        process_.waitForFinished(3000);
    }
    // Waits until the window manager has given it the focus; its window id.
    QString waitForFocus(const std::function<QString()>& active)
    {
        if (!process_.waitForStarted(5000))
            return {};
        const QString pid = QString::number(process_.processId());
        QString window;
        const bool focused = QTest::qWaitFor(
            [&] {
                window = active();
                return !window.isEmpty() && pidOf(window) == pid;
            },
            10000);
        return focused ? window : QString();
    }
    static QString pidOf(const QString& window)
    {
        return QString::fromUtf8(runServing("xdotool", {"getwindowpid", window})).trimmed();
    }

private:
    QProcess process_;
};

TEST_F(PopupDesktop, AClickOnTheIconOpensThePopupWhichGlidesAndNeverTakesTheFocus)
{
    QTemporaryDir home;
    const QString typed = home.filePath("typed.txt");
    Xterm xterm(typed);
    const QString foreground = xterm.waitForFocus(activeWindow);
    ASSERT_FALSE(foreground.isEmpty()) << "xterm did not get the focus";

    offerIcon(700, 500);
    EXPECT_EQ(activeWindow(), foreground) << "showing the icon";
    popup.showTranslation(Translation);
    const QSize target = popup.translationWindow().size();

    std::set<int> widthsSeen;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (popup.translationWindow().isVisible())
            widthsSeen.insert(popup.translationWindow().width());
    });
    sampler.start(5);
    // A real click on the G.
    const QPoint g = popup.icon().mapToGlobal(QPoint(8, 8));
    run("xdotool", {"mousemove", QString::number(g.x()), QString::number(g.y()), "click", "1"});
    QElapsedTimer clock;
    clock.start();
    while ((!popup.translationWindow().isVisible() || popup.translationWindow().size() != target) && clock.elapsed() < 5000)
        QTest::qWait(20);
    sampler.stop();

    EXPECT_TRUE(popup.translationWindow().isVisible());
    EXPECT_EQ(popup.translationWindow().size(), target);
    EXPECT_GT(widthsSeen.size(), 3u) << "it glides through several widths";
    EXPECT_FALSE(popup.icon().closePicture->isHidden()) << "the icon shows the close mark";
    EXPECT_EQ(popup.translationWindow().geometry().right(), popup.icon().geometry().right());
    EXPECT_EQ(popup.translationWindow().y(), popup.icon().y() + 16);

    QTest::qWait(200);
    EXPECT_EQ(activeWindow(), foreground) << "the popup took the focus";
    EXPECT_FALSE(popup.translationWindow().isActiveWindow());

    // Typing still reaches the application; the popup stays.
    run("xdotool", {"type", "--delay", "20", "hello"});
    run("xdotool", {"key", "Return"});
    clock.restart();
    QByteArray content;
    while (clock.elapsed() < 5000) {
        QFile file(typed);
        if (file.open(QIODevice::ReadOnly))
            content = file.readAll();
        if (content.contains('\n'))
            break;
        QTest::qWait(50);
    }
    EXPECT_EQ(content, "hello\n");
    EXPECT_TRUE(popup.translationWindow().isVisible());
    EXPECT_EQ(activeWindow(), foreground);

    // A click on the close mark hides it all; the focus stays.
    const QPoint cross = popup.icon().mapToGlobal(QPoint(8, 8));
    run("xdotool", {"mousemove", QString::number(cross.x()), QString::number(cross.y()), "click", "1"});
    clock.restart();
    while (popup.icon().isVisible() && clock.elapsed() < 3000)
        QTest::qWait(20);
    EXPECT_FALSE(popup.translationWindow().isVisible());
    EXPECT_FALSE(popup.icon().isVisible());
    EXPECT_FALSE(popup.shadow().isVisible());
    EXPECT_EQ(activeWindow(), foreground);
}

TEST_F(PopupDesktop, TheRealPointerAndButtonsAreRead)
{
    run("xdotool", {"mousemove", "321", "234"});
    QTest::qWait(50);
    EXPECT_EQ(desktop->input().cursorPos(), QPoint(321, 234));
    run("xdotool", {"mousedown", "3"});
    EXPECT_TRUE(desktop->input().isButtonDown(2)) << "VK_RBUTTON";
    EXPECT_FALSE(desktop->input().isButtonDown(1));
    run("xdotool", {"mouseup", "3"});
    EXPECT_FALSE(desktop->input().isButtonDown(2));
    run("xdotool", {"keydown", "shift"});
    EXPECT_TRUE(desktop->input().isShiftDown());
    run("xdotool", {"keyup", "shift"});
    EXPECT_FALSE(desktop->input().isShiftDown());

    // The buttons are the physical ones, whatever the mapping makes of them.
    ASSERT_EQ(run("xmodmap", {"-e", "pointer = 3 2 1"}), "");
    run("xdotool", {"mousedown", "1"});
    const auto swapped = desktop->input().buttons();
    run("xdotool", {"mouseup", "1"});
    run("xmodmap", {"-e", "pointer = default"});
    EXPECT_TRUE(swapped.left) << "the physical left button, now the logical right";
    EXPECT_FALSE(swapped.right);
    EXPECT_FALSE(desktop->input().isButtonDown(1));
}

} // namespace

namespace {

TEST_F(PopupDesktop, TheForegroundWindowFollowsEveryActivation)
{
    // The back end keeps the active window from the window manager's property
    // changes; each switch must show at once, also back to a window seen before.
    QTemporaryDir home;
    Xterm first(home.filePath("first.txt"));
    const QString firstWindow = first.waitForFocus(activeWindow);
    ASSERT_FALSE(firstWindow.isEmpty());
    EXPECT_EQ(QString::number(desktop->windows().foregroundWindow()), firstWindow);
    Xterm second(home.filePath("second.txt"));
    const QString secondWindow = second.waitForFocus(activeWindow);
    ASSERT_FALSE(secondWindow.isEmpty());
    for (const QString& window : {firstWindow, secondWindow, firstWindow}) {
        run("xdotool", {"windowactivate", "--sync", window});
        EXPECT_TRUE(QTest::qWaitFor([&] { return QString::number(desktop->windows().foregroundWindow()) == window; },
                                    2000))
            << "still " << desktop->windows().foregroundWindow() << " after activating " << window.toStdString();
    }
}

} // namespace
