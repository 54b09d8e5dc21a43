// A selection's road from the request to the shown translation, on the fake desktop
// and the fake page: the request, the cache, the result timers and the time-out.
#include "../popup/PopupFixture.h"
#include "common/LinkLabel.h"
#include "service/ResultPolling.h"
#include "common/TextCacheKey.h"
#include "service/TranslationRequest.h"
#include "service/fake/FakeServicePage.h"

namespace {

class TranslationFlow : public PopupFixture {
protected:
    static constexpr WindowHandle Editor = 42;
    FakeServicePage page;
    QString selected = "Good morning";
    int captures = 0;
    TranslationRequest request{state, desktop, main, popup, page, [this](WindowHandle w) {
                                   ++captures;
                                   return w == Editor ? selected : QString();
                               }};
    ResultPolling polling{state, main, popup, page};

    void SetUp() override
    {
        PopupFixture::SetUp();
        page.loadReadyDocument();
        state.pageReady = true;
        state.settings.set("ControlMode", "2");
        state.settings.set("NotConnectedStr", "Not connected");
        state.settings.set("timeoutstr", "Timed out");
        state.settings.set("PopupIfNotConnected", "0");
        state.settings.set("hideiconinterval", "2.5");
        desktop.fakeWindows.foreground = Editor;
        desktop.fakeWindows.rects.insert(Editor, QRect(100, 100, 600, 400));
        desktop.fakeInput.cursor = QPoint(400, 300);
        main.translationTimeout.setInterval(10000);
    }
    QString shown() { return popup.shownText(); }
    void pageAnswers(const QString& translation, const QString& direction)
    {
        page.elements[page::translation].innerText = translation;
        page.elements[page::fromto].innerText = direction;
    }
};

TEST_F(TranslationFlow, ReleasesNearTheWindowEdgesAreIgnored)
{
    // The window spans x 100..700 and y 100..500.
    struct Case {
        int x, y;
        bool inside;
    };
    const QList<Case> cases{{120, 300, true},  {119, 300, false}, {680, 300, true},  {681, 300, false},
                            {400, 130, true},  {400, 129, false}, {400, 480, true},  {400, 481, false}};
    for (const Case& c : cases)
        EXPECT_EQ(request.isPointInWindowBody(Editor, c.x, c.y), c.inside) << c.x << "," << c.y;
    EXPECT_FALSE(request.isPointInWindowBody(999, 400, 300)) << "a window without rectangle";

    EXPECT_FALSE(request.translateSelection(400, 110, 300));
    EXPECT_EQ(captures, 0) << "the window is never captured from";
}

TEST_F(TranslationFlow, BlankSelectionsDoNothingAndOtherWhitespaceIsKept)
{
    selected = "   ";
    EXPECT_FALSE(request.translateSelection(400, 300, 300));
    EXPECT_TRUE(page.log.isEmpty());

    selected = "  \tword\n  ";
    EXPECT_TRUE(request.translateSelection(400, 300, 300));
    EXPECT_EQ(state.lastRequestText, "\tword\n");
}

TEST_F(TranslationFlow, RequestWritesTheTextThenClicksAndStartsPolling)
{
    selected = "He said \"hi\" </script>\\ \u2028 end";
    ASSERT_TRUE(request.translateSelection(400, 300, 320));
    EXPECT_EQ(page.log, QStringList({"value text=" + selected, "click btn"}));
    EXPECT_EQ(shown(), ".....");
    EXPECT_TRUE(main.progressDots.isEnabled());
    EXPECT_TRUE(main.translationTimeout.isEnabled());
    EXPECT_TRUE(main.resultPoll.isRunning());
    EXPECT_EQ(main.resultPoll.interval(), 100);
    EXPECT_EQ(state.selectionLeftTwips, 320 * 15);

    // The icon: offered beside the end of the selection.
    EXPECT_TRUE(icon().isVisible());
    EXPECT_EQ(icon().pos(), QPoint(410, 295));
    EXPECT_EQ(state.iconAnchorX, 418);
    EXPECT_EQ(state.iconAnchorY, 303);
    EXPECT_NEAR(state.iconAnchorDistance, std::hypot(18.0, 3.0), 1e-9);
    EXPECT_EQ(main.iconRetire.interval(), 2500);
    EXPECT_TRUE(main.iconRetire.isEnabled());
    EXPECT_TRUE(main.iconLeave.isEnabled());
}

TEST_F(TranslationFlow, ResultIsTakenCachedAndShown)
{
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    polling.onResultPollTick();
    EXPECT_TRUE(main.resultPoll.isEnabled()) << "nothing yet";

    pageAnswers("Buenos días", "en → es");
    state.gliding = true;
    polling.onResultPollTick();
    EXPECT_EQ(shown(), ".....") << "a glide defers the result";
    state.gliding = false;
    polling.onResultPollTick();

    EXPECT_EQ(shown(), "Buenos días");
    EXPECT_EQ(translationWindow().directionLink->caption(), "en → es");
    EXPECT_TRUE(translationWindow().serviceLink->isVisibleTo(&translationWindow()));
    EXPECT_FALSE(main.resultPoll.isEnabled());
    EXPECT_FALSE(main.translationTimeout.isEnabled());
    EXPECT_FALSE(main.progressDots.isEnabled());
    EXPECT_EQ(state.translationCache.value(textCacheKey("Good morning")), "Buenos días");

    // The same text again: answered from the cache, the page is not asked.
    page.log.clear();
    translationWindow().serviceLink->setVisible(false);
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    EXPECT_TRUE(page.log.isEmpty());
    EXPECT_EQ(shown(), "Buenos días");
    EXPECT_TRUE(translationWindow().serviceLink->isVisibleTo(&translationWindow()));
}

TEST_F(TranslationFlow, TimeOutShowsItsTextAndALateResultIsIgnored)
{
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    polling.onTranslationTimeout();
    EXPECT_EQ(shown(), "Timed out");
    EXPECT_FALSE(main.resultPoll.isEnabled());
    EXPECT_FALSE(main.progressDots.isEnabled());
    EXPECT_FALSE(main.translationTimeout.isEnabled());

    pageAnswers("Buenos días", "en → es");
    // Polling has stopped, so the timer never fires again; nothing is cached.
    EXPECT_TRUE(state.translationCache.isEmpty());
}

TEST_F(TranslationFlow, TwoRequestsInARowCacheUnderTheNewestText)
{
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    selected = "Good night";
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    pageAnswers("Buenas noches", "en → es");
    polling.onResultPollTick();
    EXPECT_EQ(state.translationCache.value(textCacheKey("Good night")), "Buenas noches");
    EXPECT_FALSE(state.translationCache.contains(textCacheKey("Good morning")));

    // A duplicate key keeps the first item.
    state.translationCache.insert(textCacheKey("x"), "first");
    state.lastRequestText = "x";
    main.resultPoll.setEnabled(true);
    pageAnswers("second", "");
    polling.onResultPollTick();
    EXPECT_EQ(state.translationCache.value(textCacheKey("x")), "first");
    EXPECT_EQ(translationWindow().directionLink->caption(), "") << "an empty direction empties the label";
}

TEST_F(TranslationFlow, MissingPageElementsNeverYieldAResult)
{
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    translationWindow().directionLink->setCaption("before");
    page.elements.remove(page::translation);
    polling.onResultPollTick();
    EXPECT_TRUE(main.resultPoll.isEnabled());
    page.elements.insert(page::translation, {});
    page.elements.remove(page::fromto);
    pageAnswers("Hola", "");
    page.elements.remove(page::fromto);
    polling.onResultPollTick();
    EXPECT_EQ(shown(), "Hola");
    EXPECT_EQ(translationWindow().directionLink->caption(), "before") << "a missing direction keeps the old caption";
}

TEST_F(TranslationFlow, PageNotReadyShowsTheNotConnectedText)
{
    state.pageReady = false;
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    EXPECT_EQ(shown(), "Not connected");
    EXPECT_TRUE(page.log.isEmpty());
    EXPECT_FALSE(main.resultPoll.isEnabled());
    EXPECT_FALSE(icon().isVisible()) << "PopupIfNotConnected 0 offers no icon";

    for (const QString value : {"1", "abc"}) {
        icon().hide();
        state.settings.set("PopupIfNotConnected", value);
        ASSERT_TRUE(request.translateSelection(400, 300, 300));
        EXPECT_TRUE(icon().isVisible()) << value.toStdString();
    }
}

TEST_F(TranslationFlow, ModeOneParksTheHiddenIconUnderTheRelease)
{
    state.settings.set("ControlMode", "1");
    icon().show();
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    EXPECT_FALSE(icon().isVisible());
    EXPECT_EQ(icon().pos(), QPoint(392, 292));
    EXPECT_FALSE(main.iconRetire.isEnabled());
}

TEST_F(TranslationFlow, CachedAnswerWhileAnEarlierRequestIsPending)
{
    state.translationCache.insert(textCacheKey("Good night"), "Buenas noches");
    ASSERT_TRUE(request.translateSelection(400, 300, 300)); // pending "Good morning"
    selected = "Good night";
    ASSERT_TRUE(request.translateSelection(400, 300, 300));
    EXPECT_EQ(shown(), "Buenas noches");
    EXPECT_TRUE(main.resultPoll.isEnabled()) << "the earlier request's polling goes on";
}

} // namespace
