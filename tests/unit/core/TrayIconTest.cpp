#include "common/AppState.h"
#include "core/TrayIcon.h"
#include "core/MainWindow.h"
#include "platform/fake/FakePlatform.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class TrayIconTest : public testing::Test {
protected:
    AppState state;
    platform::fake::FakeClock clock;
    MainWindow form{15, 15};
    TrayIcon tray{state, clock, form};
    QSignalSpy toggles{&tray, &TrayIcon::translateToggleRequested};
    int menusShown = 0;

    TrayIconTest()
    {
        tray.popupMenu = [this](QMenu*, const QPoint&) { ++menusShown; };
    }
};

TEST_F(TrayIconTest, PictureAndTipFollowConnectionAndSwitch)
{
    struct Case {
        bool connected, enabled;
        TrayPicture picture;
        const char* tip;
    };
    const Case cases[] = {
        {false, false, TrayPicture::NotConnected, "Quillora  - Connecting..."},
        {false, true, TrayPicture::NotConnected, "Quillora  - Connecting..."},
        {true, true, TrayPicture::Enabled, "Quillora "},
        {true, false, TrayPicture::Disabled, "Quillora "},
    };
    for (const auto& c : cases) {
        state.connected = c.connected;
        state.translationEnabled = c.enabled;
        tray.refresh(true, true);
        EXPECT_EQ(tray.picture(), c.picture) << c.connected << c.enabled;
        EXPECT_EQ(tray.toolTip(), c.tip) << c.connected << c.enabled;
    }
    const auto image = [](TrayPicture p) { return trayPictureIcon(p).pixmap(16, 16).toImage(); };
    EXPECT_NE(image(TrayPicture::NotConnected), image(TrayPicture::Enabled));
    EXPECT_NE(image(TrayPicture::Enabled), image(TrayPicture::Disabled));
    EXPECT_NE(image(TrayPicture::Disabled), image(TrayPicture::NotConnected));
}

TEST_F(TrayIconTest, ActivationsBecomeTheMouseMessages)
{
    const std::pair<QSystemTrayIcon::ActivationReason, int> cases[] = {
        {QSystemTrayIcon::Trigger, 513},    {QSystemTrayIcon::DoubleClick, 515}, {QSystemTrayIcon::Context, 517},
        {QSystemTrayIcon::MiddleClick, 0}, {QSystemTrayIcon::Unknown, 0}};
    for (const auto& [reason, message] : cases)
        EXPECT_EQ(TrayIcon::messageFor(reason), message) << reason;
}

// Left presses on the icon: within 0.3 s of the last single click the second opens the
// main window (and is not recorded as a click); otherwise a press toggles when the page
// is ready. Each row: the presses as (time of day, page ready), then the outcome.
TEST_F(TrayIconTest, LeftPressesToggleOrOpenTheMainWindow)
{
    struct Case {
        const char* name;
        QList<std::pair<double, bool>> presses;
        int toggles;
        bool opened;
    };
    const Case cases[] = {
        {"not ready", {{100, false}}, 0, false},
        {"ready", {{200, true}}, 1, false},
        {"exactly 0.3 s apart", {{300, true}, {300.3, true}}, 2, false},
        {"0.2 s apart", {{400, true}, {400.2, true}}, 1, true},
        {"not ready still counts", {{500, false}, {500.1, false}}, 0, true},
        {"double click is not recorded", {{600, true}, {600.2, true}, {600.35, true}}, 2, true},
        {"across midnight", {{86399.95, true}, {0.05, true}}, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        toggles.clear();
        form.hide();
        bool opened = false;
        for (const auto& [at, ready] : c.presses) {
            clock.now = at;
            state.pageReady = ready;
            tray.handleMouseMessage(TrayIcon::LeftButtonDown);
            opened = opened || form.isVisible();
            form.hide();
        }
        EXPECT_EQ(toggles.size(), c.toggles);
        EXPECT_EQ(opened, c.opened);
    }
}

TEST_F(TrayIconTest, DoubleClickMessageOpensAndOtherMessagesDoNothing)
{
    state.pageReady = true;
    for (int message : {0, 512, 514, 516, 1028})
        tray.handleMouseMessage(message);
    EXPECT_EQ(toggles.size(), 0);
    EXPECT_EQ(menusShown, 0);
    EXPECT_FALSE(form.isVisible());

    tray.handleMouseMessage(TrayIcon::LeftButtonDoubleClick);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(toggles.size(), 0);
}

TEST_F(TrayIconTest, RightClickPopsTheMenuWithTheFirstItemAsDefault)
{
    QMenu* shown = nullptr;
    tray.popupMenu = [&](QMenu* menu, const QPoint&) {
        shown = menu;
        // While the menu is open, further icon messages are dropped.
        state.pageReady = true;
        tray.handleMouseMessage(TrayIcon::LeftButtonDown);
        tray.handleMouseMessage(TrayIcon::RightButtonUp);
        tray.handleMouseMessage(TrayIcon::LeftButtonDoubleClick);
    };
    tray.handleMouseMessage(TrayIcon::RightButtonUp);
    EXPECT_EQ(shown, form.trayMenu);
    EXPECT_EQ(form.trayMenu->defaultAction(), form.toggleItem);
    EXPECT_EQ(toggles.size(), 0);
    EXPECT_FALSE(form.isVisible());

    // Once it has closed, messages are handled again.
    tray.popupMenu = [this](QMenu*, const QPoint&) { ++menusShown; };
    tray.handleMouseMessage(TrayIcon::RightButtonUp);
    EXPECT_EQ(menusShown, 1);
}

TEST_F(TrayIconTest, BalloonSplitsAtTheFirstLineBreakAndOnlyTheDownloadActionDownloads)
{
    QSignalSpy shown(&tray, &TrayIcon::balloonShown);
    QSignalSpy hides(&tray, &TrayIcon::hidePopupRequested);
    QSignalSpy opens(&tray, &TrayIcon::openUrlRequested);
    state.downloadUrl = "https://example.org/get";
    const std::tuple<bool, bool, QSystemTrayIcon::MessageIcon> cases[] = {
        {true, true, QSystemTrayIcon::Critical},
        {false, true, QSystemTrayIcon::Warning},
        {false, false, QSystemTrayIcon::Information}};
    for (const auto& [isError, isWarning, icon] : cases) {
        shown.clear();
        tray.showBalloon("Title\r\nline one\r\nline two", isError, isWarning, "other");
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown.at(0).at(0).toString(), "Title");
        EXPECT_EQ(shown.at(0).at(1).toString(), "line one\r\nline two");
        EXPECT_EQ(shown.at(0).at(2).value<QSystemTrayIcon::MessageIcon>(), icon);
    }
    tray.handleMouseMessage(TrayIcon::BalloonUserClick);
    EXPECT_TRUE(opens.isEmpty());

    tray.showBalloon("a\r\nb", false, false, "download");
    tray.handleMouseMessage(TrayIcon::BalloonUserClick);
    ASSERT_EQ(opens.size(), 1);
    EXPECT_EQ(opens.at(0).at(0).toString(), "https://example.org/get");
    EXPECT_EQ(hides.size(), 1);
}

TEST(TrayMenu, HasEveryItemInOrder)
{
    MainWindow form(15, 15);
    QStringList captions;
    for (QAction* action : form.trayMenu->actions())
        captions.append(action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(captions, QStringList({"Enable", "-", "Open", "Reconnect", "About", "-", "Settings", "-", "Exit"}));

    const std::pair<QAction*, void (MainWindow::*)()> items[] = {
        {form.reconnectItem, &MainWindow::reconnectRequested}, {form.toggleItem, &MainWindow::translateToggleRequested},
        {form.aboutItem, &MainWindow::aboutRequested},       {form.settingsItem, &MainWindow::settingsRequested},
        {form.exitItem, &MainWindow::exitRequested}};
    for (const auto& [action, signal] : items) {
        QSignalSpy spy(&form, signal);
        action->trigger();
        EXPECT_EQ(spy.size(), 1) << action->text().toStdString();
    }
    form.openItem->trigger();
    EXPECT_TRUE(form.isVisible());
}

} // namespace
