// A finished selection's road through the service: the request, the cache, the
// result poll and the time-out, and the page connection, against the in-memory page.
#include "FakeDesktop.h"
#include "common/TextCacheKey.h"
#include "service/Connection.h"
#include "service/TranslationRequest.h"
#include "service/fake/FakeServicePage.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class TranslationFlowTest : public testing::Test {
protected:
    static constexpr WindowHandle Editor = 42;
    FakeDesktop desktop;
    FakeServicePage page;
    Connection connection{page, desktop.fakeClock, "2.0.33"};
    QString selected = "Good morning";
    int captures = 0;
    QStringList shown; // what the view was asked to do, in order
    TranslationRequest request{desktop, page, connection,
                               [this](WindowHandle w, auto done) {
                                   ++captures;
                                   done(w == Editor ? selected : QString());
                               },
                               {[this](const QString& text) { shown << "result " + text; },
                                [this](const QString& text) { shown << "message " + text; },
                                [this] { shown << "waiting"; },
                                [this](const QString& direction) { shown << "direction " + direction; },
                                [this](int x, int y, int left) { shown << QString("icon %1,%2 left %3").arg(x).arg(y).arg(left); }}};
    AppSettings settings;

    void SetUp() override
    {
        page.onNavigate = [this](const QString&) { page.loadReadyDocument(); };
        // The page empties its result when a translation starts.
        page.onClick = [this](const QString&) { page.elements[page::translation].innerText.clear(); };
        connection.setBusyCheck([this] { return request.isAwaiting(); });
        connection.configure("file:///page.html", "enes", 0);
        connection.connectService();
        desktop.fakeClock.advance(500);
        ASSERT_TRUE(connection.isReady());
        page.log.clear();
        settings.notConnectedText = "Not connected";
        settings.timeoutText = "Timed out";
        settings.iconWhenNotConnected = false;
        settings.translationTimeoutMs = 10000;
        request.configure(settings);
        desktop.fakeWindows.foreground = Editor;
        desktop.fakeWindows.rects.insert(Editor, QRect(100, 100, 600, 400));
    }
    bool translate(int x = 400, int y = 300, int left = 300)
    {
        std::optional<bool> handled;
        request.translateSelection(x, y, left, [&](bool h) { handled = h; });
        EXPECT_TRUE(handled.has_value());
        return handled.value_or(false);
    }
    // The text selected, then translated at the fixture's point.
    bool translate(const QString& text)
    {
        selected = text;
        return translate();
    }
    void pageAnswers(const QString& translation, const QString& direction)
    {
        page.elements[page::translation].innerText = translation;
        page.elements[page::fromto].innerText = direction;
    }
    bool waiting() const { return request.isAwaiting(); }
};

TEST_F(TranslationFlowTest, OnlyReleasesWellInsideTheWindowAreCapturedAndOnlyBlanksAreTrimmed)
{
    // The window spans x 100..700 and y 100..500; the top 30 px are its title bar.
    for (const auto& [x, y, inside] : {std::tuple{120, 300, true}, {119, 300, false}, {680, 300, true},
                                       {681, 300, false}, {400, 130, true}, {400, 129, false}, {400, 480, true},
                                       {400, 481, false}})
        EXPECT_EQ(request.isPointInWindowBody(Editor, x, y), inside) << x << "," << y;
    // Where the window manager tells the content, its top is the top; the margins stay.
    desktop.fakeWindows.contents.insert(Editor, QRect(105, 125, 590, 370));
    for (const auto& [x, y, inside] : {std::tuple{400, 125, true}, {400, 124, false}, {124, 300, false},
                                       {125, 300, true}, {676, 300, false}, {400, 476, false}})
        EXPECT_EQ(request.isPointInWindowBody(Editor, x, y), inside) << x << "," << y << " in the content";
    desktop.fakeWindows.contents.clear();
    EXPECT_FALSE(request.isPointInWindowBody(999, 400, 300)) << "a window without rectangle";
    desktop.fakeWindows.geometryReported = false;
    EXPECT_TRUE(request.isPointInWindowBody(999, 400, 300)) << "where no window's place is told";
    desktop.fakeWindows.geometryReported = true;
    EXPECT_FALSE(translate(400, 110));
    EXPECT_EQ(captures, 0);
    for (const QString& blank : {QString("   "), QString("\t\t"), QString("\n\r\n"), QString(" \u00a0\u2028 ")})
        EXPECT_FALSE(translate(blank)) << "white space alone is no request";
    EXPECT_TRUE(page.log.isEmpty() && shown.isEmpty());
    selected = "  \tword\n  ";
    EXPECT_TRUE(translate(400, 300, 320));
    EXPECT_EQ(request.newestText(), "\tword\n");
    EXPECT_EQ(shown.last(), "icon 400,300 left 320");
}

TEST_F(TranslationFlowTest, ARequestWritesThenClicksAndItsResultIsCachedAndShown)
{
    selected = "He said \"hi\" </script>\\ \u2028 end";
    ASSERT_TRUE(translate());
    EXPECT_EQ(page.log, QStringList({"value text=" + selected, "click btn"}));
    EXPECT_EQ(shown, QStringList({"waiting", "icon 400,300 left 300"}));
    EXPECT_TRUE(waiting());
    shown.clear();
    desktop.fakeClock.advance(100);
    pageAnswers("Buenos días", "en → es");
    EXPECT_TRUE(shown.isEmpty()) << "nothing until the next poll";
    desktop.fakeClock.advance(100);
    EXPECT_EQ(shown, QStringList({"direction en → es", "result Buenos días"}));
    EXPECT_FALSE(waiting());
    page.log.clear();
    shown.clear();
    ASSERT_TRUE(translate());
    EXPECT_TRUE(page.log.isEmpty()) << "the same text again comes from the cache";
    EXPECT_EQ(shown, QStringList({"result Buenos días", "icon 400,300 left 300"}));

    // Two texts whose cache keys are the same: each gets its own translation.
    ASSERT_EQ(textCacheKey("OSSuAmuB"), textCacheKey("ywMvixIv"));
    ASSERT_TRUE(translate("OSSuAmuB"));
    pageAnswers("first", "");
    request.onPageChanged();
    page.log.clear();
    ASSERT_TRUE(translate("ywMvixIv"));
    EXPECT_EQ(page.log, QStringList({"value text=ywMvixIv", "click btn"})) << "no cached answer for another text";

    // The page telling of a change is looked at at once; a missing direction leaves the label.
    shown.clear();
    pageAnswers("segundo", "");
    page.elements.remove(page::fromto);
    request.onPageChanged();
    EXPECT_EQ(shown, QStringList({"result segundo"}));
    EXPECT_EQ(request.cache().find("OSSuAmuB"), "first") << "a key already present keeps its item";
}

TEST_F(TranslationFlowTest, OnlyTheNewestRequestIsAnsweredAndEachWaitsItsWholeTime)
{
    // A text sent to a slow page, then a cached one: nothing of the first goes on.
    ASSERT_TRUE(translate("Good night"));
    pageAnswers("Buenas noches", "");
    request.onPageChanged();
    ASSERT_TRUE(translate("Good morning"));
    desktop.fakeClock.advance(4000);
    shown.clear();
    ASSERT_TRUE(translate("Good night"));
    EXPECT_FALSE(waiting());
    pageAnswers("late answer", "");
    desktop.fakeClock.advance(20000);
    EXPECT_EQ(shown.filter(QRegularExpression("result|message")), QStringList{"result Buenas noches"})
        << "no late answer, no time-out";
    // Nor after the popup was dismissed.
    ASSERT_TRUE(translate("Good morning"));
    request.endPending();
    pageAnswers("late answer", "");
    desktop.fakeClock.advance(20000);
    EXPECT_EQ(shown.filter(QRegularExpression("result|message")), QStringList{"result Buenas noches"});

    // A request soon after another gets the whole time-out, not what was left.
    ASSERT_TRUE(translate("Good evening"));
    desktop.fakeClock.advance(6000);
    ASSERT_TRUE(translate("Good afternoon"));
    desktop.fakeClock.advance(9000);
    EXPECT_TRUE(shown.filter("message").isEmpty());
    desktop.fakeClock.advance(1000);
    EXPECT_EQ(shown.filter("message"), QStringList{"message Timed out"});
    EXPECT_FALSE(waiting());

    // Not connected: the message, and the icon only where asked for.
    connection.onPageLost();
    connection.onPageLost(); // lost again at once: no reload until the reconnect timer
    shown.clear();
    ASSERT_TRUE(translate("Good evening"));
    EXPECT_EQ(shown, QStringList{"message Not connected"}) << "PopupIfNotConnected 0 offers no icon";
    settings.iconWhenNotConnected = true;
    request.configure(settings);
    ASSERT_TRUE(translate());
    EXPECT_EQ(shown.last(), "icon 400,300 left 300");
}

TEST_F(TranslationFlowTest, ARestingPageIsWokenForASelectionAndKeptWhileInUse)
{
    // Not while a translation is awaited, nor while the page is on screen.
    ASSERT_TRUE(translate());
    connection.rest();
    request.endPending();
    page.onScreen = true;
    connection.rest();
    EXPECT_TRUE(connection.isReady());
    EXPECT_TRUE(connection.restScheduled()) << "it is tried again later";
    page.onScreen = false;
    desktop.fakeClock.advance(Connection::RestAfterMs);
    EXPECT_TRUE(connection.isResting() && connection.isConnected());
    EXPECT_EQ(page.log.last(), "discard");

    // A selection then brings it back and waits for it, its time-out running.
    page.log.clear();
    ASSERT_TRUE(translate("Good night"));
    EXPECT_TRUE(waiting());
    EXPECT_EQ(page.log, QStringList{"navigate file:///page.html?dir=enes"});
    desktop.fakeClock.advance(500);
    request.onPageBack();
    EXPECT_EQ(page.log.mid(1), QStringList({"value text=Good night", "click btn"}));

    // A request that timed out while the page came back is not sent late.
    desktop.fakeClock.advance(Connection::RestAfterMs + 20000);
    ASSERT_TRUE(connection.isResting());
    page.onNavigate = [this](const QString&) { page.hasDocument = false; };
    ASSERT_TRUE(translate());
    desktop.fakeClock.advance(10000);
    page.log.clear();
    page.loadReadyDocument();
    desktop.fakeClock.advance(500);
    ASSERT_TRUE(connection.isReady());
    request.onPageBack();
    EXPECT_TRUE(page.log.isEmpty()) << page.log.join(", ").toStdString();

    // A load that never becomes ready is retried like a lost connection.
    connection.configure("file:///page.html", "enes", 3000);
    desktop.fakeClock.advance(Connection::RestAfterMs + 1000);
    page.onNavigate = [this](const QString&) { page.hasDocument = false; };
    connection.wake();
    desktop.fakeClock.advance(3000);
    EXPECT_FALSE(connection.isConnected());
    EXPECT_TRUE(page.log.contains("clear text"));
}

class ConnectionTest : public testing::Test {
protected:
    FakeDesktop desktop;
    FakeServicePage page;
    Connection connection{page, desktop.fakeClock, "2.0.33"};
    QSignalSpy changes{&connection, &Connection::connectionChanged};
    QSignalSpy versions{&connection, &Connection::newerVersionPublished};
    QSignalSpy languageQuestions{&connection, &Connection::languageDialogRequested};

    ConnectionTest() { connection.configure("file:///page.html", "", 10000); }
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
        desktop.fakeClock.advance(500);
    }
};

TEST_F(ConnectionTest, LoadingBlanksTheOldPageAndOnlyTheTextElementMakesItReady)
{
    connection.configure("file:///page.html", "enes", 10000);
    page.loadReadyDocument();
    pageLoads("2.0.33", false);
    connect();
    EXPECT_EQ(page.log, QStringList({"clear text", "navigate file:///page.html?dir=enes"}));
    EXPECT_FALSE(connection.isConnected() || connection.isReady()) << "empty markup is not ready";
    EXPECT_TRUE(connection.isLoading());
    page.hasDocument = false;
    desktop.fakeClock.advance(10000);
    EXPECT_EQ(page.navigations.size(), 2) << "reloaded while not connected";
    EXPECT_EQ(languageQuestions.size(), 0);

    pageLoads("2.0.33");
    connection.configure("file:///page.html", "", 10000);
    desktop.fakeClock.advance(10500);
    EXPECT_TRUE(connection.isConnected() && connection.isReady());
    EXPECT_FALSE(connection.isLoading());
    EXPECT_EQ(connection.downloadUrl(), "https://example.org/get");
    EXPECT_EQ(languageQuestions.size(), 1) << "no language chosen: it is asked for on every connect";
    desktop.fakeClock.advance(10000);
    EXPECT_EQ(page.navigations.size(), 3) << "no reload while connected";

    // Only a web address is taken for the download; anything else is as if unpublished.
    for (const auto& [published, taken] :
         {std::pair{"javascript:alert(1)", "https://example.org/get"},
          {"HTTP://example.org/new", "HTTP://example.org/new"}}) {
        pageLoads("2.0.33", true, published);
        connect();
        EXPECT_EQ(connection.downloadUrl(), taken) << published;
    }
}

TEST_F(ConnectionTest, ANewerPublishedVersionIsOfferedAnOlderOneMakesThisABeta)
{
    for (const auto& [published, offered, beta] : {std::tuple{"2.0.40", true, false}, {"2.0.33", false, false},
                                                   {"2.0.9", false, true},  {"3.0.0", true, false},
                                                   {"x.y.z", false, true},  {"2.0.33.7", false, true}}) {
        connection.configure("file:///page.html", "enes", 10000);
        versions.clear();
        pageLoads(published);
        connect();
        EXPECT_EQ(connection.isBeta(), beta) << published << " (a number equal to its own leaves it as it was)";
        EXPECT_EQ(versions.size(), offered ? 1 : 0) << published;
    }
    page.onNavigate = [this](const QString&) {
        page.loadReadyDocument();
        page.elements.remove(page::version);
    };
    connect();
    EXPECT_TRUE(connection.isConnected());
    EXPECT_EQ(connection.publishedVersion(), "2.0.33.7") << "a page without a version keeps the known one";
}

} // namespace
