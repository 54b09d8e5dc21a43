#include "common/AppState.h"
#include "core/TrayIcon.h"
#include "core/MainWindow.h"
#include "platform/fake/FakePlatform.h"
#include "service/Connection.h"
#include "service/fake/FakeServicePage.h"

#include <QAction>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class ConnectionTest : public testing::Test {
protected:
    AppState state;
    platform::fake::FakeClock clock;
    FakeServicePage page;
    MainWindow form{15, 15};
    TrayIcon tray{state, clock, form};
    Connection connection{state, page, form, tray};
    QSignalSpy balloons{&tray, &TrayIcon::balloonShown};
    QSignalSpy labels{&connection, &Connection::newVersionLabel};
    QSignalSpy languageDialogs{&connection, &Connection::languageDialogRequested};

    ConnectionTest()
    {
        state.settings.set("serviceurl", "file:///opt/quillora/page/index.html");
        state.settings.set("language", "enes");
        state.programVersion = "2.0.33";
        state.publishedVersion = state.programVersion;
        form.pageLoad.setInterval(500);
    }

    // A page that publishes the given version once it has loaded.
    void publish(const QString& version)
    {
        page.onNavigate = [this, version](const QString&) {
            page.loadReadyDocument();
            page.elements[page::version].value = version;
            page.elements[page::download].value = "https://example.org/get";
        };
    }

    void expectConnecting()
    {
        EXPECT_FALSE(state.connected);
        EXPECT_FALSE(state.pageReady);
        EXPECT_TRUE(form.pageLoad.isEnabled());
        EXPECT_EQ(form.reconnectItem->text(), "Connecting...");
        EXPECT_FALSE(form.reconnectItem->isEnabled());
        EXPECT_FALSE(form.toggleItem->isEnabled());
        EXPECT_EQ(tray.picture(), TrayPicture::NotConnected);
        EXPECT_EQ(tray.toolTip(), "Quillora  - Connecting...");
    }
};

TEST_F(ConnectionTest, BlanksTheOldPageBeforeLoadingTheAddressWithTheLanguage)
{
    page.loadReadyDocument();
    state.connected = state.pageReady = true;
    connection.connectService();
    EXPECT_EQ(page.log, QStringList({"clear text", "navigate file:///opt/quillora/page/index.html?dir=enes"}));
    expectConnecting();
    connection.onPageLoadTick();
    expectConnecting(); // the old document no longer counts as ready
}

TEST_F(ConnectionTest, BecomesConnectedOnTheFirstTickThatFindsTheTextElement)
{
    publish("2.0.33");
    state.currentApplication = "xterm";
    connection.connectService();
    connection.onPageLoadTick();
    EXPECT_TRUE(state.pageReady);
    EXPECT_TRUE(state.connected);
    EXPECT_FALSE(form.pageLoad.isEnabled());
    EXPECT_EQ(form.reconnectItem->text(), "Reconnect");
    EXPECT_TRUE(form.reconnectItem->isEnabled());
    EXPECT_TRUE(form.toggleItem->isEnabled());
    EXPECT_EQ(tray.picture(), TrayPicture::Disabled);
    EXPECT_EQ(tray.toolTip(), "Quillora ");
    EXPECT_EQ(state.downloadUrl, "https://example.org/get");

    // Without a foreground application the first menu item stays disabled.
    state.currentApplication.clear();
    connection.connectService();
    connection.onPageLoadTick();
    EXPECT_TRUE(state.connected);
    EXPECT_FALSE(form.toggleItem->isEnabled());
}

TEST_F(ConnectionTest, APageThatNeverShowsTheElementStaysConnecting)
{
    page.onNavigate = [this](const QString&) {
        page.loadReadyDocument();
        page.elements.remove(page::text);
    };
    connection.connectService();
    for (int tick = 0; tick < 5; ++tick)
        connection.onPageLoadTick();
    expectConnecting();

    // Without any document the readiness keeps its value.
    page.hasDocument = false;
    connection.onPageLoadTick();
    expectConnecting();

    // An element with empty markup is not ready either.
    page.loadReadyDocument();
    page.elements[page::text].outerHtml.clear();
    connection.onPageLoadTick();
    expectConnecting();
}

TEST_F(ConnectionTest, ReconnectTimerReloadsOnlyWhileNotConnected)
{
    publish("2.0.33");
    connection.onReconnectTick();
    EXPECT_EQ(page.navigations.size(), 1);
    connection.onReconnectTick(); // still loading: starts again from the beginning
    EXPECT_EQ(page.navigations.size(), 2);
    connection.onPageLoadTick();
    connection.onReconnectTick();
    EXPECT_EQ(page.navigations.size(), 2);
}

struct VersionCase {
    const char* published;
    bool offered;
    bool isBeta;
};

TEST_F(ConnectionTest, ComparesThePublishedVersionWithItsOwn)
{
    const VersionCase cases[] = {
        {"2.0.40", true, false},
        {"2.0.33", false, false}, // same text: nothing changes
        {"2.0.9", false, true},
        {"3.0.0", true, false},   // newer, even beyond 32 bits
        {"2.0", false, true},     // unreadable versions count as 0
        {"x.y.z", false, true},
        {"", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.published);
        state.isBeta = false;
        state.publishedVersion = state.programVersion;
        balloons.clear();
        labels.clear();
        publish(c.published);
        connection.connectService();
        connection.onPageLoadTick();
        EXPECT_EQ(state.publishedVersion, c.published);
        EXPECT_EQ(state.isBeta, c.isBeta);
        EXPECT_EQ(balloons.size(), c.offered ? 1 : 0);
        EXPECT_EQ(labels.size(), c.offered ? 1 : 0);
        if (c.offered) {
            EXPECT_EQ(labels.at(0).at(0).toString(), QString("New v") + c.published);
        }
    }
}

TEST_F(ConnectionTest, TheUpdateBalloonNamesTheVersionAndDownloads)
{
    publish("2.0.40");
    connection.connectService();
    connection.onPageLoadTick();
    ASSERT_EQ(balloons.size(), 1);
    EXPECT_EQ(balloons.at(0).at(0).toString(), "New version 2.0.40");
    EXPECT_EQ(balloons.at(0).at(1).toString(), "A new Quillora Version is available.\r\n Click here to download.");
    EXPECT_EQ(balloons.at(0).at(2).value<QSystemTrayIcon::MessageIcon>(), QSystemTrayIcon::Information);
    EXPECT_EQ(state.balloonAction, "download");

    // Every transition to connected offers it again.
    connection.connectService();
    connection.onPageLoadTick();
    EXPECT_EQ(balloons.size(), 2);
}

TEST_F(ConnectionTest, APageWithoutVersionOrDownloadOffersNothing)
{
    state.downloadUrl = "https://old.example/";
    page.onNavigate = [this](const QString&) {
        page.loadReadyDocument();
        page.elements.remove(page::version);
        page.elements.remove(page::download);
    };
    connection.connectService();
    connection.onPageLoadTick();
    EXPECT_TRUE(state.connected);
    EXPECT_EQ(state.publishedVersion, "2.0.33");
    EXPECT_EQ(state.downloadUrl, "https://old.example/");
    EXPECT_FALSE(state.isBeta);
    EXPECT_TRUE(balloons.isEmpty());
}

TEST_F(ConnectionTest, AsksForALanguageOnEveryConnectWhileNoneIsChosen)
{
    publish("2.0.33");
    connection.connectService();
    connection.onPageLoadTick();
    EXPECT_EQ(languageDialogs.size(), 0);

    state.settings.set("language", "");
    connection.connectService();
    EXPECT_EQ(page.navigations.last(), "file:///opt/quillora/page/index.html?dir=");
    connection.onPageLoadTick();
    EXPECT_EQ(languageDialogs.size(), 1);
    connection.connectService();
    connection.onPageLoadTick();
    EXPECT_EQ(languageDialogs.size(), 2);
}

TEST_F(ConnectionTest, ProgressShowsNoneToFiveDotsInTurn)
{
    QString box = ".....";
    connection.popupText = [&box] { return box; };
    connection.setPopupText = [&box](const QString& text) { box = text; };
    QStringList seen;
    for (int step = 0; step < 7; ++step) {
        connection.advanceWaitingDots();
        seen.append(box);
    }
    EXPECT_EQ(seen, QStringList({"", ".", "..", "...", "....", ".....", ""}));
}

} // namespace
