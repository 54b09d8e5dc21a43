#include "core/AppState.h"
#include "core/TrayIcon.h"
#include "core/frmMain.h"
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
    frmMain form{15, 15};
    TrayIcon tray{state, clock, form};
    QSignalSpy toggles{&tray, &TrayIcon::translateToggleRequested};
    int menusShown = 0;

    TrayIconTest()
    {
        tray.popupMenu = [this](QMenu*, const QPoint&) { ++menusShown; };
    }

    // A left press the given seconds after the previous one.
    void pressAfter(double seconds)
    {
        clock.now += seconds;
        tray.picIcoNotifier_MouseMove(TrayIcon::LeftButtonDown);
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
        state.Connected = c.connected;
        state.TranslateEnabled = c.enabled;
        tray.UpdateTrayIcon(true, true);
        EXPECT_EQ(tray.picture(), c.picture);
        EXPECT_EQ(tray.toolTip(), c.tip);
    }
}

TEST_F(TrayIconTest, ThePicturesDifferAndHaveBothSizes)
{
    const QIcon notConnected = trayPictureIcon(TrayPicture::NotConnected);
    const QIcon enabled = trayPictureIcon(TrayPicture::Enabled);
    const QIcon disabled = trayPictureIcon(TrayPicture::Disabled);
    for (const QIcon* icon : {&notConnected, &enabled, &disabled}) {
        EXPECT_EQ(icon->availableSizes(), QList<QSize>({QSize(16, 16), QSize(32, 32)}));
    }
    const auto image = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
    EXPECT_NE(image(notConnected), image(enabled));
    EXPECT_NE(image(enabled), image(disabled));
    EXPECT_NE(image(disabled), image(notConnected));
}

TEST_F(TrayIconTest, ActivationsBecomeTheMouseMessages)
{
    EXPECT_EQ(TrayIcon::messageFor(QSystemTrayIcon::Trigger), 513);
    EXPECT_EQ(TrayIcon::messageFor(QSystemTrayIcon::DoubleClick), 515);
    EXPECT_EQ(TrayIcon::messageFor(QSystemTrayIcon::Context), 517);
    EXPECT_EQ(TrayIcon::messageFor(QSystemTrayIcon::MiddleClick), 0);
    EXPECT_EQ(TrayIcon::messageFor(QSystemTrayIcon::Unknown), 0);
}

TEST_F(TrayIconTest, ASingleClickTogglesOnlyWhileThePageIsReady)
{
    state.PageReady = false;
    pressAfter(1);
    EXPECT_EQ(toggles.size(), 0);
    state.PageReady = true;
    pressAfter(1);
    EXPECT_EQ(toggles.size(), 1);
    pressAfter(0.3); // exactly 0.3 s later is another single click
    EXPECT_EQ(toggles.size(), 2);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TrayIconTest, ASecondPressWithinThreeTenthsOpensTheMainWindow)
{
    state.PageReady = true;
    pressAfter(1);
    pressAfter(0.2);
    EXPECT_EQ(toggles.size(), 1) << "the first press already toggled";
    EXPECT_TRUE(form.isVisible());
    form.hide();

    // The double click did not record its time: 0.15 s later is 0.35 s after the
    // last single click, a single click again.
    pressAfter(0.15);
    EXPECT_EQ(toggles.size(), 2);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TrayIconTest, ANotReadyPressStillCountsForTheDoubleClick)
{
    state.PageReady = false;
    pressAfter(1);
    pressAfter(0.1);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(toggles.size(), 0);
}

TEST_F(TrayIconTest, APressAfterMidnightIsASingleClick)
{
    state.PageReady = true;
    clock.now = 86399.95;
    tray.picIcoNotifier_MouseMove(TrayIcon::LeftButtonDown);
    clock.now = 0.05;
    tray.picIcoNotifier_MouseMove(TrayIcon::LeftButtonDown);
    EXPECT_EQ(toggles.size(), 2);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TrayIconTest, DoubleClickMessageOpensTheMainWindow)
{
    tray.picIcoNotifier_MouseMove(TrayIcon::LeftButtonDoubleClick);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(toggles.size(), 0);
}

TEST_F(TrayIconTest, RightClickPopsTheMenuWithTheFirstItemAsDefault)
{
    QMenu* shown = nullptr;
    tray.popupMenu = [&](QMenu* menu, const QPoint&) {
        shown = menu;
        // While the menu is open, further icon messages are dropped.
        state.PageReady = true;
        tray.picIcoNotifier_MouseMove(TrayIcon::LeftButtonDown);
        tray.picIcoNotifier_MouseMove(TrayIcon::RightButtonUp);
        tray.picIcoNotifier_MouseMove(TrayIcon::LeftButtonDoubleClick);
    };
    tray.picIcoNotifier_MouseMove(TrayIcon::RightButtonUp);
    EXPECT_EQ(shown, form.mnuMain);
    EXPECT_EQ(form.mnuMain->defaultAction(), form.mnuEnable);
    EXPECT_EQ(toggles.size(), 0);
    EXPECT_FALSE(form.isVisible());

    // Once it has closed, messages are handled again.
    tray.popupMenu = [this](QMenu*, const QPoint&) { ++menusShown; };
    tray.picIcoNotifier_MouseMove(TrayIcon::RightButtonUp);
    EXPECT_EQ(menusShown, 1);
}

TEST_F(TrayIconTest, BalloonSplitsAtTheFirstLineBreakAndRemembersItsAction)
{
    QSignalSpy shown(&tray, &TrayIcon::balloonShown);
    struct Case {
        bool isError, isWarning;
        QSystemTrayIcon::MessageIcon icon;
    };
    const Case cases[] = {{true, true, QSystemTrayIcon::Critical},
                          {false, true, QSystemTrayIcon::Warning},
                          {false, false, QSystemTrayIcon::Information}};
    for (const auto& c : cases) {
        shown.clear();
        tray.ShowBalloon("Title\r\nline one\r\nline two", c.isError, c.isWarning, "other");
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown.at(0).at(0).toString(), "Title");
        EXPECT_EQ(shown.at(0).at(1).toString(), "line one\r\nline two");
        EXPECT_EQ(shown.at(0).at(2).value<QSystemTrayIcon::MessageIcon>(), c.icon);
        EXPECT_EQ(state.BalloonAction, "other");
    }
}

TEST_F(TrayIconTest, ClickingTheBalloonDownloadsOnlyForTheDownloadAction)
{
    QSignalSpy hides(&tray, &TrayIcon::hidePopupRequested);
    QSignalSpy opens(&tray, &TrayIcon::openUrlRequested);
    state.DownloadURL = "https://example.org/get";

    tray.ShowBalloon("a\r\nb", false, false, "other");
    tray.picIcoNotifier_MouseMove(TrayIcon::BalloonUserClick);
    EXPECT_TRUE(opens.isEmpty());

    tray.ShowBalloon("a\r\nb", false, false, "download");
    tray.picIcoNotifier_MouseMove(TrayIcon::BalloonUserClick);
    ASSERT_EQ(opens.size(), 1);
    EXPECT_EQ(opens.at(0).at(0).toString(), "https://example.org/get");
    EXPECT_EQ(hides.size(), 1);
}

TEST_F(TrayIconTest, OtherMessagesDoNothing)
{
    state.PageReady = true;
    for (int message : {0, 512, 514, 516, 1028})
        tray.picIcoNotifier_MouseMove(message);
    EXPECT_EQ(toggles.size(), 0);
    EXPECT_EQ(menusShown, 0);
    EXPECT_FALSE(form.isVisible());
}

TEST(TrayMenu, HasEveryItemInOrder)
{
    frmMain form(15, 15);
    QStringList captions;
    for (QAction* action : form.mnuMain->actions())
        captions.append(action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(captions, QStringList({"Enable", "-", "Open", "Reconnect", "About", "-", "Settings", "-", "Exit"}));
    EXPECT_EQ(form.mnuMain->title(), "Main");

    QSignalSpy reconnects(&form, &frmMain::reconnectRequested);
    QSignalSpy toggles(&form, &frmMain::translateToggleRequested);
    QSignalSpy abouts(&form, &frmMain::aboutRequested);
    QSignalSpy settings(&form, &frmMain::settingsRequested);
    QSignalSpy exits(&form, &frmMain::exitRequested);
    for (QAction* action : {form.mnuConnect, form.mnuEnable, form.mnuAbout, form.mnuSettings, form.mnuExit})
        action->trigger();
    EXPECT_EQ(reconnects.size() + toggles.size() + abouts.size() + settings.size() + exits.size(), 5);
    EXPECT_EQ(reconnects.size(), 1);
    EXPECT_EQ(exits.size(), 1);
    form.mnuOpen->trigger();
    EXPECT_TRUE(form.isVisible());
}

} // namespace
