// A finished selection's road through the service: the request, the cache, the
// result poll and the time-out, and the page connection, against the in-memory page.
#include "FakeDesktop.h"
#include "common/TextCacheKey.h"
#include "common/ProgramTimers.h"
#include "service/Connection.h"
#include "service/ResultPolling.h"
#include "service/TranslationRequest.h"
#include "service/fake/FakeServicePage.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TranslationFlowTest : public testing::Test {
protected:
    static constexpr WindowHandle Editor = 42;
    FakeDesktop desktop;
    AppState state;
    ProgramTimers timers;
    FakeServicePage page;
    QString selected = "Good morning";
    int captures = 0;
    QStringList shown; // what the view was asked to do, in order
    TranslationView view{[this](const QString& text) { shown << "text " + text; },
                         [this] { shown << "service link"; },
                         [this](const QString& direction) { shown << "direction " + direction; },
                         [this](int x, int y) { shown << QString("icon %1,%2").arg(x).arg(y); }};
    TranslationRequest request{state, desktop, timers, page,
                               [this](WindowHandle w) {
                                   ++captures;
                                   return w == Editor ? selected : QString();
                               },
                               view};
    ResultPolling polling{state, timers, page, view};

    void SetUp() override
    {
        page.loadReadyDocument();
        state.pageReady = true;
        state.twipsPerPixelX = 15;
        state.settings.set("NotConnectedStr", "Not connected");
        state.settings.set("timeoutstr", "Timed out");
        state.settings.set("PopupIfNotConnected", "0");
        desktop.fakeWindows.foreground = Editor;
        desktop.fakeWindows.rects.insert(Editor, QRect(100, 100, 600, 400));
        timers.translationTimeout.setInterval(10000);
    }
    void pageAnswers(const QString& translation, const QString& direction)
    {
        page.elements[page::translation].innerText = translation;
        page.elements[page::fromto].innerText = direction;
    }
};

TEST_F(TranslationFlowTest, OnlyReleasesWellInsideTheWindowAreCapturedAndOnlyBlanksAreTrimmed)
{
    // The window spans x 100..700 and y 100..500; the top 30 px are its title bar.
    for (const auto& [x, y, inside] : {std::tuple{120, 300, true}, {119, 300, false}, {680, 300, true},
                                       {681, 300, false}, {400, 130, true}, {400, 129, false}, {400, 480, true},
                                       {400, 481, false}})
        EXPECT_EQ(request.isPointInWindowBody(Editor, x, y), inside) << x << "," << y;
    EXPECT_FALSE(request.isPointInWindowBody(999, 400, 300)) << "a window without rectangle";
    desktop.fakeWindows.geometryReported = false;
    EXPECT_TRUE(request.isPointInWindowBody(999, 400, 300)) << "where no window's place is told";
    desktop.fakeWindows.geometryReported = true;
    EXPECT_FALSE(request.translateSelection(400, 110, 300));
    EXPECT_EQ(captures, 0);
    selected = "   ";
    EXPECT_FALSE(request.translateSelection(400, 300, 300));
    EXPECT_TRUE(page.log.isEmpty() && shown.isEmpty());
    selected = "  \tword\n  ";
    EXPECT_TRUE(request.translateSelection(400, 300, 320));
    EXPECT_EQ(state.lastRequestText, "\tword\n");
    EXPECT_EQ(state.selectionLeftTwips, 320 * 15);
}

TEST_F(TranslationFlowTest, ARequestWritesThenClicksAndItsResultIsCachedAndShown)
{
    selected = "He said \"hi\" </script>\\ \u2028 end";
    ASSERT_TRUE(request.translateSelection(400, 300, 320));
    EXPECT_EQ(page.log, QStringList({"value text=" + selected, "click btn"}));
    EXPECT_EQ(shown, QStringList({"text .....", "icon 400,300"}));
    EXPECT_TRUE(timers.progressDots.isEnabled() && timers.translationTimeout.isEnabled());
    EXPECT_TRUE(timers.resultPoll.isRunning());
    EXPECT_EQ(timers.resultPoll.interval(), 100);
    shown.clear();
    polling.onResultPollTick();
    pageAnswers("Buenos días", "en → es");
    state.gliding = true;
    polling.onResultPollTick();
    EXPECT_TRUE(shown.isEmpty()) << "nothing yet, then a glide defers the result";
    state.gliding = false;
    polling.onResultPollTick();
    EXPECT_EQ(shown, QStringList({"direction en → es", "service link", "text Buenos días"}));
    EXPECT_FALSE(timers.resultPoll.isEnabled() || timers.translationTimeout.isEnabled() ||
                 timers.progressDots.isEnabled());
    EXPECT_EQ(state.translationCache.find(selected), "Buenos días");
    page.log.clear();
    shown.clear();
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    EXPECT_TRUE(page.log.isEmpty()) << "the same text again comes from the cache";
    EXPECT_EQ(shown, QStringList({"service link", "text Buenos días", "icon 400,300"}));

    // Two texts whose cache keys are the same: each gets its own translation.
    ASSERT_EQ(textCacheKey("OSSuAmuB"), textCacheKey("ywMvixIv"));
    selected = "OSSuAmuB";
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    pageAnswers("first", "");
    polling.onResultPollTick();
    selected = "ywMvixIv";
    page.log.clear();
    shown.clear();
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    EXPECT_EQ(page.log, QStringList({"value text=ywMvixIv", "click btn"})) << "no cached answer for another text";
    EXPECT_EQ(shown.first(), "text .....");
}

TEST_F(TranslationFlowTest, TheTimeOutAndTheNewestRequestDecideWhatIsShownAndCached)
{
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    polling.onTranslationTimeout();
    EXPECT_EQ(shown.last(), "text Timed out");
    EXPECT_FALSE(timers.resultPoll.isEnabled() || timers.progressDots.isEnabled() ||
                 timers.translationTimeout.isEnabled());
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    selected = "Good night";
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    pageAnswers("Buenas noches", "");
    polling.onResultPollTick();
    EXPECT_EQ(state.translationCache.find("Good night"), "Buenas noches");
    EXPECT_FALSE(state.translationCache.find("Good morning"));
    EXPECT_TRUE(shown.contains("direction ")) << "an empty direction empties the label";
    // A key already present keeps its item; a missing direction element leaves the label.
    state.lastRequestText = "x";
    state.translationCache.insert("x", "first");
    shown.clear();
    pageAnswers("second", "");
    page.elements.remove(page::fromto);
    polling.onResultPollTick();
    EXPECT_EQ(state.translationCache.find("x"), "first");
    EXPECT_EQ(shown, QStringList({"service link", "text second"}));

    page.elements.remove(page::translation);
    timers.resultPoll.setEnabled(true);
    polling.onResultPollTick();
    EXPECT_TRUE(timers.resultPoll.isEnabled()) << "a missing result element is no result";
    state.pageReady = false;
    selected = "Good evening";
    shown.clear();
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    EXPECT_EQ(shown, QStringList{"text Not connected"}) << "PopupIfNotConnected 0 offers no icon";
    for (const char* value : {"1", "abc"}) {
        state.settings.set("PopupIfNotConnected", value);
        ASSERT_TRUE(request.translateSelection(400, 300, 300));
        EXPECT_EQ(shown.last(), "icon 400,300") << value;
    }
}

TEST_F(TranslationFlowTest, OnlyTheNewestRequestIsAnsweredAndEachWaitsItsWholeTime)
{
    state.translationCache.insert("Good night", "Buenas noches");
    timers.progressDots.setInterval(200);
    const auto waiting = [&] {
        return timers.resultPoll.isEnabled() || timers.progressDots.isEnabled() ||
               timers.translationTimeout.isEnabled() || state.requestAwaitsPage;
    };
    // A text sent to a slow page, then a cached one: nothing of the first goes on.
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    ASSERT_TRUE(waiting());
    selected = "Good night";
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    EXPECT_FALSE(waiting()) << "no dots, poll or time-out of the first reach the cached answer";
    // Nor for the not-connected text, nor after the popup was dismissed.
    selected = "Good morning";
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    state.pageReady = false;
    selected = "Good evening";
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    EXPECT_FALSE(waiting());
    state.pageReady = true;
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    request.endPending();
    EXPECT_FALSE(waiting());

    // A request made soon after another gets the whole time-out, not what was left.
    // (Timers this long may fire 5 % early or late.)
    timers.translationTimeout.setInterval(1000);
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    QTest::qWait(300);
    selected = "Good afternoon";
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    EXPECT_GT(timers.translationTimeout.remainingMs(), 900);

    // Text of nothing but white space is no request.
    shown.clear();
    page.log.clear();
    for (const QString& blank : {QString("\t\t"), QString("\n\r\n"), QString(" \u00a0\u2028 ")}) {
        selected = blank;
        EXPECT_FALSE(request.translateSelection(400, 300, 300)) << blank.size();
    }
    EXPECT_TRUE(shown.isEmpty() && page.log.isEmpty());
    EXPECT_TRUE(waiting()) << "and it leaves the request before it alone";
}

// The page let go after a while unused: a selection then brings it back and waits.
class RestingPageTest : public TranslationFlowTest {
protected:
    Connection connection{state, page, timers};

    void SetUp() override
    {
        TranslationFlowTest::SetUp();
        state.settings.set("serviceurl", "file:///page.html");
        state.connected = true;
        timers.pageLoad.setInterval(500);
        request.setPageWaker([this] { connection.wake(); });
        page.onNavigate = [this](const QString&) { page.loadReadyDocument(); };
    }
};

TEST_F(RestingPageTest, APageInUseIsKeptAndAWaitThatEndedOrAStuckLoadIsNotLeftHanging)
{
    // Not while a translation is awaited, nor while the page is on screen.
    timers.resultPoll.setEnabled(true);
    connection.rest();
    timers.resultPoll.setEnabled(false);
    page.onScreen = true;
    connection.rest();
    EXPECT_TRUE(page.log.isEmpty() && state.pageReady);
    EXPECT_TRUE(connection.restScheduled()) << "it is tried again later";

    // A resting page stays so through the reconnect timer; a request that timed out
    // while the page came back is not sent late.
    page.onScreen = false;
    connection.rest();
    connection.onReconnectTick();
    EXPECT_EQ(page.log, QStringList{"discard"});
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    polling.onTranslationTimeout();
    connection.onPageLoadTick();
    request.sendAwaitedRequest();
    EXPECT_EQ(page.log, QStringList({"discard", "navigate file:///page.html?dir="})) << "one load, nothing sent";

    // A load that never becomes ready is retried like a lost connection.
    connection.rest();
    page.onNavigate = [this](const QString&) { page.hasDocument = false; };
    connection.wake();
    connection.onReconnectTick();
    EXPECT_EQ(page.log.mid(3), QStringList({"navigate file:///page.html?dir=", "clear text", "navigate file:///page.html?dir="}));
    EXPECT_FALSE(state.connected);
}

class ConnectionTest : public testing::Test {
protected:
    AppState state;
    ProgramTimers timers;
    FakeServicePage page;
    Connection connection{state, page, timers};
    QSignalSpy changes{&connection, &Connection::connectionChanged};
    QSignalSpy versions{&connection, &Connection::newerVersionPublished};
    QSignalSpy languageQuestions{&connection, &Connection::languageDialogRequested};

    ConnectionTest()
    {
        state.settings.set("serviceurl", "file:///page.html");
        state.programVersion = state.publishedVersion = "2.0.33";
        timers.pageLoad.setInterval(500);
    }
    // A page that is ready (or not) and publishes the version once it has loaded.
    void pageLoads(const QString& version, bool ready = true, const QString& download = "https://example.org/get")
    {
        page.onNavigate = [this, version, ready, download](const QString&) {
            page.loadReadyDocument();
            page.elements[page::text].outerHtml = ready ? "<textarea id=\"text\"></textarea>" : "";
            page.elements[page::version].value = version;
            page.elements[page::download].value = download;
        };
    }
    void connect()
    {
        connection.connectService();
        connection.onPageLoadTick();
    }
};

TEST_F(ConnectionTest, LoadingBlanksTheOldPageAndOnlyTheTextElementMakesItReady)
{
    page.loadReadyDocument();
    state.connected = state.pageReady = true;
    state.settings.set("language", "enes");
    pageLoads("2.0.33", false);
    connect();
    EXPECT_EQ(page.log, QStringList({"clear text", "navigate file:///page.html?dir=enes"}));
    EXPECT_FALSE(state.connected || state.pageReady) << "empty markup is not ready";
    EXPECT_TRUE(timers.pageLoad.isRunning());
    page.hasDocument = false;
    connection.onPageLoadTick();
    connection.onReconnectTick();
    EXPECT_EQ(page.navigations.size(), 2) << "reloaded while not connected";
    EXPECT_EQ(languageQuestions.size(), 0);

    pageLoads("2.0.33");
    state.settings.set("language", "");
    connection.onReconnectTick();
    connection.onPageLoadTick();
    EXPECT_TRUE(state.connected && state.pageReady);
    EXPECT_FALSE(timers.pageLoad.isEnabled());
    EXPECT_EQ(state.downloadUrl, "https://example.org/get");
    EXPECT_EQ(changes.size(), 4);
    EXPECT_EQ(languageQuestions.size(), 1) << "no language chosen: it is asked for on every connect";
    connection.onReconnectTick();
    EXPECT_EQ(page.navigations.size(), 3) << "no reload while connected";

    // Only a web address is taken for the download; anything else is as if unpublished.
    for (const auto& [published, taken] :
         {std::pair{"javascript:alert(1)", "https://example.org/get"}, {"file:///usr/bin/xterm", "https://example.org/get"},
          {"data:text/html,x", "https://example.org/get"}, {"HTTP://example.org/new", "HTTP://example.org/new"}}) {
        pageLoads("2.0.33", true, published);
        connect();
        EXPECT_EQ(state.downloadUrl, taken) << published;
    }
}

TEST_F(ConnectionTest, ANewerPublishedVersionIsOfferedAnOlderOneMakesThisABeta)
{
    for (const auto& [published, offered, beta] : {std::tuple{"2.0.40", true, false}, {"2.0.33", false, false},
                                                   {"2.0.9", false, true},  {"3.0.0", true, false},
                                                   {"x.y.z", false, true},  {"2.0.33.7", false, false}}) {
        state.isBeta = false;
        versions.clear();
        pageLoads(published);
        connect();
        EXPECT_EQ(state.isBeta, beta) << published;
        EXPECT_EQ(versions.size(), offered ? 1 : 0) << published;
    }
    page.onNavigate = [this](const QString&) {
        page.loadReadyDocument();
        page.elements.remove(page::version);
    };
    connect();
    EXPECT_TRUE(state.connected);
    EXPECT_EQ(state.publishedVersion, "2.0.33.7") << "a page without a version keeps the known one";
}

} // namespace
