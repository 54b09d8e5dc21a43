// The shipped page in the real browser: readiness, the request cycle, hostile texts,
// failures, links, and real translations by the real translation server.
#include "ApyServer.h"
#include "ServicePageFixture.h"

namespace {

using ServicePageTest = ServicePageFixture;

TEST_F(ServicePageTest, BecomesReadyAndPublishesVersionDownloadAndTargets)
{
    const int port = startStandIn();
    ASSERT_GT(port, 0);
    EXPECT_FALSE(page->outerHtml(page::text)) << "nothing is loaded yet";
    ASSERT_TRUE(load(port)) << pageState();
    EXPECT_EQ(page->value(page::version), "2.0.40");
    EXPECT_EQ(page->value(page::download), "https://example.org/get");
    const auto targets = page->options(page::selto);
    ASSERT_TRUE(targets);
    ASSERT_GE(targets->size(), 5);
    EXPECT_EQ(targets->at(0).value, "auto");
    EXPECT_EQ(targets->at(1).value, "separator");
    for (const ServicePage::Option& option :
         {ServicePage::Option{"es", "Spanish"}, {"ca", "Catalan"}, {"en", "English"}, {"ca_valencia", "Catalan (Valencian)"}})
        EXPECT_TRUE(targets->contains(option)) << option.value.toStdString();
    EXPECT_EQ(page->value(page::selto), "es") << "the target comes from dir";

    page->clearOuterHtml(page::text);
    settle();
    EXPECT_FALSE(page->outerHtml(page::text)) << "a cleared text element is no longer ready";
}

TEST_F(ServicePageTest, TheButtonEmptiesTheResultAtOnceThenFillsItWithTheDirection)
{
    ASSERT_TRUE(load(startStandIn(0.5))) << pageState();
    EXPECT_EQ(translate("first text"), "sp:first text");
    EXPECT_EQ(page->innerText(page::fromto), "en → es");
    page->setValue(page::text, "second text");
    page->click(page::btn);
    settle();
    EXPECT_EQ(page->innerText(page::translation), "") << "a stale result must not stay";
    EXPECT_EQ(page->innerText(page::fromto), "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page->innerText(page::translation).value_or("").isEmpty(); }, 10000));
    EXPECT_EQ(page->innerText(page::translation), "sp:second text");
    EXPECT_EQ(translate("sp:hola"), "en:sp:hola") << "text in the target language goes into English";
    EXPECT_EQ(page->innerText(page::fromto), "es → en");
}

TEST_F(ServicePageTest, HostileTextArrivesVerbatimAndNeverRuns)
{
    ASSERT_TRUE(load(startStandIn())) << pageState();
    const QString hostile = QString::fromUtf16(u"\"'\\\\ </script><script>document.title='owned'</script> "
                                               u"\"); document.title = \"owned\"; (\" \u2028 \u2029 ") +
                            QChar(0) + " end";
    page->setValue(page::text, hostile);
    settle();
    EXPECT_EQ(page->value(page::text), hostile);
    EXPECT_EQ(translate(hostile), "sp:" + hostile);
    EXPECT_EQ(pageScript("document.title"), "Quillora translator");
}

TEST_F(ServicePageTest, AFailingOrMissingServerLeavesTheTranslationEmpty)
{
    ASSERT_TRUE(load(startStandIn())) << pageState();
    EXPECT_EQ(translate("FAIL please", 3000), "") << "an error is never a translation";
    EXPECT_TRUE(pageScript("document.getElementById('status').className").contains("problem"));
    standIn->kill();
    standIn->waitForFinished();
    EXPECT_EQ(translate("hello", 3000), "");
    EXPECT_EQ(page->innerText(page::fromto), "");
    EXPECT_TRUE(pageScript("document.getElementById('status').textContent").contains("cannot be reached"));

    page->clearOuterHtml(page::text); // as the program does before it loads again
    page->navigate(pageCopy.install(9, "2.0.40") + "?dir=enes"); // nothing listens on the discard port
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->outerHtml(page::btn).has_value(); }, LoadTimeoutMs));
    EXPECT_FALSE(waitReady(3000)) << "the page is there, but not ready";
}

TEST_F(ServicePageTest, MissingDocumentsAndElementsAreQuietNoOps)
{
    for (const QString& address : {QString("not a url at all"), QString("javascript:document.title='x'"),
                                   QString("file:///nonexistent/page.html?dir=enes")}) {
        page->navigate(address);
        QTest::qWait(1500);
        page->setValue(page::text, "x");
        page->click(page::btn);
        page->clearOuterHtml(page::text);
        settle();
        EXPECT_FALSE(page->outerHtml(page::text)) << address.toStdString();
        EXPECT_FALSE(page->innerText(page::translation)) << address.toStdString();
        EXPECT_FALSE(page->options(page::selto)) << address.toStdString();
    }
}

TEST_F(ServicePageTest, ALinkForANewWindowGoesToTheDesktopBrowser)
{
    ASSERT_TRUE(load(startStandIn())) << pageState();
    QStringList opened;
    page->setExternalLinkHandler([&](const QString& url) { opened.append(url); });
    auto* view = static_cast<QWebEngineView*>(page->view());
    view->resize(800, 600);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    const QStringList xy = pageScript("(function () { var r = document.querySelector('a[target=_blank]')"
                                      ".getBoundingClientRect(); return (r.left + 5) + ',' + (r.top + r.height / 2); })()")
                               .split(',');
    ASSERT_EQ(xy.size(), 2);
    QTest::mouseClick(view->focusProxy() ? view->focusProxy() : view, Qt::LeftButton, {},
                      QPoint(int(xy[0].toDouble()), int(xy[1].toDouble())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 5000));
    EXPECT_EQ(opened.first(), "https://www.apertium.org/");
    EXPECT_TRUE(pageScript("location.href").startsWith("file://")) << "the page itself stays";
}

TEST_F(ServicePageTest, TheRealServerTranslatesBothWaysAndListsItsPairs)
{
    ApyServer server(ApyServer::freePort());
    ASSERT_TRUE(server.start(90000)) << "apertium-apy did not start (scripts/install-deps.sh installs it)";
    ASSERT_TRUE(load(server.port(), "enes", 90000)) << pageState();
    EXPECT_EQ(translate("The house is big.", 30000), "La casa es grande.") << pageState();
    EXPECT_EQ(page->innerText(page::fromto), "en → es");
    EXPECT_EQ(translate("La casa es grande.", 30000), "The house is big.") << pageState();
    EXPECT_EQ(page->innerText(page::fromto), "es → en");
    const auto targets = page->options(page::selto);
    ASSERT_TRUE(targets);
    EXPECT_TRUE(targets->contains(ServicePage::Option{"ca", "Catalan"}));
    EXPECT_TRUE(targets->contains(ServicePage::Option{"en", "English"}));
}

} // namespace
