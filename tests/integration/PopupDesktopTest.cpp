// The popup opens from a real click on the icon and never takes the focus from the
// application the user works in; its shadow darkens what lies beside it on screen; the
// back end reads the real buttons and foreground window. Runs on the test desktop (Xvfb
// at 96 dpi, openbox, usually xcompmgr).
#include "DesktopDriver.h"
#include "PopupState.h"
#include "platform/Platform.h"
#include "popup/FloatingIcon.h"
#include "popup/Popup.h"
#include "popup/ShadowWindow.h"
#include "popup/TranslationPopup.h"
#include "service/Connection.h"
#include "service/TranslationRequest.h"
#include "service/fake/FakeServicePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PopupDesktop : public testing::Test {
protected:
    std::unique_ptr<platform::Platform> desktop = platform::createPlatform();
    DesktopDriver driver;
    AppSettings settings = popupSettings();
    Popup popup{*desktop};
    QString buildFolder = QFileInfo(QLR_BINARY).absolutePath();

    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
        ASSERT_DOUBLE_EQ(desktop->screen().logicalDpiX(), 96);
        settings.iconRetireMs = 30000; // a slow desktop still clicks the icon in time
        popup.configure(settings, TriggerMode::ClickIcon);
    }
    void TearDown() override { popup.hidePopup(); }

    // The icon offered beside a selection that ended at (x, y), shown on the server.
    void offerIcon(int x, int y)
    {
        popup.offerIcon(x, y, 0);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup.icon()));
    }
};

TEST_F(PopupDesktop, AClickOnTheIconOpensThePopupWhichNeverTakesTheFocus)
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
    popup.showResult(QString("Der schnelle braune Fuchs springt über den faulen Hund. ").repeated(3));
    const QSize target = popup.translationWindow().size();
    DesktopDriver::click(popup.icon().mapToGlobal(QPoint(8, 8)));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return popup.translationWindow().isVisible() && popup.translationWindow().size() == target; }, 5000))
        << "the glide ends at the full size";
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

TEST_F(PopupDesktop, TheRealButtonsAndForegroundAreRead)
{
    DesktopDriver::buttonDown(3);
    EXPECT_EQ(desktop->input().buttons(), Qt::RightButton);
    DesktopDriver::buttonUp(3);
    EXPECT_EQ(desktop->input().buttons(), Qt::NoButton);
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
    EXPECT_EQ(swapped, Qt::LeftButton) << "the physical left button, now the logical right";
    EXPECT_FALSE(desktop->screen().mouseButtonsSwapped());

    // The foreground follows every activation, also back to a window seen before.
    const DesktopDriver::Window first = driver.startXterm("qlr first xterm", "first");
    const DesktopDriver::Window second = driver.startXterm("qlr second xterm", "second", "40x10+400+300");
    ASSERT_TRUE(first && second);
    for (const unsigned long window : {first.id, second.id, first.id}) {
        DesktopDriver::activate(window);
        EXPECT_TRUE(QTest::qWaitFor([&] { return desktop->applications().foregroundWindow() == window; }, 2000))
            << "still " << desktop->applications().foregroundWindow() << " after activating " << window;
    }
}

TEST_F(PopupDesktop, TitleBarsHeaderBarsAndPanelsAreToldApartOnRealWindows)
{
    FakeServicePage page;
    Connection connection(page, desktop->clock(), "1.0.0");
    TranslationRequest request(*desktop, page, connection, [](WindowHandle, auto done) { done(QString()); },
                               TranslationView{});
    // The first line of a terminal right under the window manager's title bar is text.
    const DesktopDriver::Window term = driver.startXterm("qlr framed xterm", "first line", "40x10+200+150");
    ASSERT_TRUE(term);
    const QRect frame = desktop->applications().windowRect(term.id).value_or(QRect());
    ASSERT_GT(term.client.top() - frame.top(), 5) << "openbox draws a title bar";
    EXPECT_EQ(desktop->applications().contentRect(term.id), term.client);
    EXPECT_TRUE(request.isPointInWindowBody(term.id, term.client.left() + 30, term.client.top() + 8));
    EXPECT_FALSE(request.isPointInWindowBody(term.id, term.client.left() + 30, term.client.top() - 3));
    // Its left, right and bottom edges (the scroll bar, the window's edges) are no text.
    const QPoint middle = term.client.center();
    for (const QPoint& edge : {QPoint(term.client.left() + 5, middle.y()), QPoint(term.client.right() - 5, middle.y()),
                               QPoint(middle.x(), term.client.bottom() - 5)})
        EXPECT_FALSE(request.isPointInWindowBody(term.id, edge.x(), edge.y())) << edge.x() << "," << edge.y();
    EXPECT_TRUE(request.isPointInWindowBody(term.id, middle.x(), middle.y()));
    EXPECT_FALSE(desktop->applications().isDesktopOrPanel(term.id));

    // A window that draws its own header bar inside a 20 px invisible shadow.
    QWidget headerBarWindow;
    headerBarWindow.setWindowFlags(Qt::FramelessWindowHint);
    headerBarWindow.setGeometry(500, 300, 400, 300);
    headerBarWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&headerBarWindow));
    const QString id = QString::number(headerBarWindow.winId());
    DesktopDriver::run("xprop", {"-id", id, "-f", "_GTK_FRAME_EXTENTS", "32c", "-set", "_GTK_FRAME_EXTENTS",
                                 "20, 20, 20, 20"});
    const QRect outer = headerBarWindow.frameGeometry();
    EXPECT_EQ(desktop->applications().windowRect(headerBarWindow.winId()), outer.adjusted(20, 20, -20, -20));
    EXPECT_FALSE(desktop->applications().contentRect(headerBarWindow.winId())) << "its title bar is its own";
    for (const auto& [at, body] : {std::pair{outer.topLeft() + QPoint(30, 35), false}, // the header bar
                                   {outer.topLeft() + QPoint(10, 200), false},         // the shadow, an edge
                                   {outer.center(), true}})
        EXPECT_EQ(request.isPointInWindowBody(headerBarWindow.winId(), at.x(), at.y()), body) << at.x() << "," << at.y();

    // A file manager's desktop or a panel counts as the shell, whatever its program.
    DesktopDriver::run("xprop", {"-id", id, "-f", "_NET_WM_WINDOW_TYPE", "32a", "-set", "_NET_WM_WINDOW_TYPE",
                                 "_NET_WM_WINDOW_TYPE_DOCK"});
    EXPECT_TRUE(desktop->applications().isDesktopOrPanel(headerBarWindow.winId()));
}

QColor blend(QColor top, int alpha, QColor under)
{
    auto mix = [&](int a, int b) { return (a * alpha + b * (255 - alpha) + 127) / 255; };
    return {mix(top.red(), under.red()), mix(top.green(), under.green()), mix(top.blue(), under.blue())};
}

bool near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class ShadowDesktop : public PopupDesktop {
protected:
    // A plain light backdrop below everything, so that the shadow shows against it.
    QWidget backdrop;
    const QColor backdropColour{200, 200, 200};

    void SetUp() override
    {
        PopupDesktop::SetUp();
        backdrop.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint |
                                Qt::WindowDoesNotAcceptFocus);
        backdrop.setAttribute(Qt::WA_ShowWithoutActivating);
        backdrop.setPalette(QPalette(backdropColour));
        backdrop.setAutoFillBackground(true);
        backdrop.setGeometry(300, 250, 700, 500);
        backdrop.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&backdrop));
    }
};

TEST_F(ShadowDesktop, TheShadowDarkensTheBackdropBesideThePopup)
{
    ASSERT_TRUE(desktop->screen().compositingAvailable()) << "the test desktop runs a compositing manager";
    offerIcon(850, 400);
    popup.showResult(QString("La rapida volpe marrone salta sopra il cane pigro. ").repeated(3));
    popup.openPopup(0, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup.translationWindow()));
    ShadowWindow& shadow = popup.shadow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shadow.isVisible(); }, 5000)) << "the shadow comes at the glide's end";
    QTest::qWait(300); // the compositor draws the shadow a frame later
    const QRect popupArea = popup.translationWindow().geometry();
    EXPECT_EQ(shadow.geometry(), QRect(popupArea.topLeft(), popupArea.size() + QSize(5, 5)));
    // On screen the band right of the popup darkens the backdrop; the popup is drawn
    // over the backdrop at its transparency.
    const QRect area = popupArea.adjusted(-20, -40, 20, 20);
    const QImage screen =
        QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
    EXPECT_TRUE(QDir().mkpath(buildFolder + "/screenshots"));
    EXPECT_TRUE(screen.save(buildFolder + "/screenshots/popup-shadow.png"));
    const QColor beside = screen.pixelColor(20 + popupArea.width(), 40 + popupArea.height() / 2);
    EXPECT_TRUE(near(beside, blend(Qt::black, 57, backdropColour), 6)) << beside.name().toStdString();
    const QColor inside = screen.pixelColor(20 + 3, 40 + popupArea.height() - 4);
    EXPECT_TRUE(near(inside, blend(Qt::white, 235, backdropColour), 4)) << inside.name().toStdString();
}

} // namespace
