// The shipped page in the real browser against a loopback stand-in for the
// translation server: readiness, the request cycle, hostile texts and failures.
#include "ServicePageFixture.h"

namespace {

class ServicePageTest : public ServicePageFixture {
protected:
    ScopedProcess server;
    int port = 0;

    // Starts the stand-in; each answer waits delay seconds.
    void startServer(double delay)
    {
        server.process.start("python3", {QLR_SOURCE_DIR "/tests/support/apy_standin.py", "--delay",
                                         QString::number(delay)});
        ASSERT_TRUE(server.process.waitForStarted());
        ASSERT_TRUE(server.process.waitForReadyRead(10000));
        port = server.process.readLine().trimmed().toInt();
        ASSERT_GT(port, 0);
    }

    void loadPage(const QString& dir)
    {
        page->navigate(installPage(port) + "?dir=" + dir);
        ASSERT_TRUE(waitReady()) << pageState();
    }
};

TEST_F(ServicePageTest, BecomesReadyAndPublishesVersionDownloadAndTargets)
{
    startServer(0);
    EXPECT_FALSE(page->outerHtml(page::text)) << "nothing is loaded yet";
    loadPage("enes");
    EXPECT_EQ(page->value(page::version), "2.0.40");
    EXPECT_EQ(page->value(page::download), "https://example.org/get");
    const auto targets = page->options(page::selto);
    ASSERT_TRUE(targets);
    ASSERT_GE(targets->size(), 5);
    EXPECT_EQ(targets->at(0).value, "auto");
    EXPECT_EQ(targets->at(1).value, "separator");
    QStringList values;
    for (const auto& option : *targets)
        values.append(option.value);
    EXPECT_TRUE(values.contains("es"));
    EXPECT_TRUE(values.contains("ca"));
    EXPECT_TRUE(values.contains("en"));
    EXPECT_TRUE(values.contains("ca_valencia"));
    EXPECT_TRUE(targets->contains(ServicePage::Option{"es", "Spanish"}));
    EXPECT_EQ(page->value(page::selto), "es") << "the target comes from dir";
}

TEST_F(ServicePageTest, ButtonEmptiesTheTranslationAtOnceThenFillsItWithTheDirection)
{
    startServer(0.5);
    loadPage("enes");
    EXPECT_EQ(translate("first text"), "sp:first text");
    EXPECT_EQ(page->innerText(page::fromto), "en → es");

    page->setValue(page::text, "second text");
    page->click(page::btn);
    settle();
    EXPECT_EQ(page->innerText(page::translation), "") << "a stale result must not stay";
    EXPECT_EQ(page->innerText(page::fromto), "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page->innerText(page::translation).value_or("").isEmpty(); }, 10000));
    EXPECT_EQ(page->innerText(page::translation), "sp:second text");
    EXPECT_EQ(page->innerText(page::fromto), "en → es");
}

TEST_F(ServicePageTest, TextAlreadyInTheTargetLanguageGoesIntoEnglish)
{
    startServer(0);
    loadPage("enes");
    EXPECT_EQ(translate("sp:hola"), "en:sp:hola");
    EXPECT_EQ(page->innerText(page::fromto), "es → en");
}

TEST_F(ServicePageTest, HostileTextArrivesVerbatimAndNeverRuns)
{
    startServer(0);
    loadPage("enes");
    const QString hostile = QString::fromUtf16(u"\"'\\\\ </script><script>document.title='owned'</script> "
                                               u"\"); document.title = \"owned\"; (\" \u2028 \u2029 ") +
                            QChar(0) + " end";
    page->setValue(page::text, hostile);
    settle();
    EXPECT_EQ(page->value(page::text), hostile);
    page->click(page::btn);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page->innerText(page::translation).value_or("").isEmpty(); }, 10000));
    EXPECT_EQ(page->innerText(page::translation), "sp:" + hostile);
    EXPECT_EQ(pageScript("document.title"), "Quillora translator");
}

TEST_F(ServicePageTest, UnreachableOrFailingServerLeavesTheTranslationEmpty)
{
    startServer(0);
    loadPage("enes");
    EXPECT_EQ(translate("FAIL please", 3000), "") << "an error is never a translation";
    EXPECT_TRUE(pageScript("document.getElementById('status').className").contains("problem"));

    server.process.kill();
    server.process.waitForFinished();
    EXPECT_EQ(translate("hello", 3000), "");
    EXPECT_EQ(page->innerText(page::fromto), "");
    EXPECT_TRUE(pageScript("document.getElementById('status').textContent").contains("cannot be reached"));
}

TEST_F(ServicePageTest, WithoutAServerThePageIsNotReady)
{
    page->navigate(installPage(9) + "?dir=enes"); // nothing listens on the discard port
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->outerHtml(page::btn).has_value(); }, LoadTimeoutMs))
        << "the page itself is there";
    EXPECT_FALSE(waitReady(3000));
}

TEST_F(ServicePageTest, ClearingTheTextElementMakesThePageNotReady)
{
    startServer(0);
    loadPage("enes");
    page->clearOuterHtml(page::text);
    settle();
    EXPECT_FALSE(page->outerHtml(page::text));
}

TEST_F(ServicePageTest, MissingDocumentsAndElementsAreQuietNoOps)
{
    for (const QString& address : {QString("not a url at all"), QString("javascript:document.title='x'"),
                                   QString("file:///nonexistent/page.html?dir=enes")}) {
        SCOPED_TRACE(address.toStdString());
        page->navigate(address);
        QTest::qWait(1500);
        page->setValue(page::text, "x");
        page->click(page::btn);
        page->clearOuterHtml(page::text);
        settle();
        EXPECT_FALSE(page->outerHtml(page::text));
        EXPECT_FALSE(page->innerText(page::translation));
        EXPECT_FALSE(page->options(page::selto));
    }
}

TEST_F(ServicePageTest, ALinkForANewWindowGoesToTheDesktopBrowser)
{
    startServer(0);
    loadPage("enes");
    QStringList opened;
    page->setExternalLinkHandler([&](const QString& url) { opened.append(url); });
    QWebEngineView* view = static_cast<QWebEngineView*>(page->view());
    view->resize(800, 600);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    const QString rect = pageScript("(function () { var r = document.querySelector('a[target=_blank]')"
                                    ".getBoundingClientRect(); return (r.left + 5) + ',' + (r.top + r.height / 2); })()");
    const QStringList xy = rect.split(',');
    ASSERT_EQ(xy.size(), 2);
    const QPoint at(int(xy[0].toDouble()), int(xy[1].toDouble()));
    QWidget* target = view->focusProxy() ? view->focusProxy() : view;
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 5000));
    EXPECT_EQ(opened.first(), "https://www.apertium.org/");
    EXPECT_TRUE(pageScript("location.href").startsWith("file://")) << "the page itself stays";
}

} // namespace
