// The shipped page in the real browser: readiness, the request cycle, hostile texts,
// failures and links. The page is a copy talking to a loopback stand-in for the
// translation server (tests/support/apy_standin.py: "eng|spa" gives "sp:" and the text),
// or, for the directions it chooses and the pairs it lists, to the real server.
#include "ApyServer.h"
#include "DesktopDriver.h"
#include "PageCopy.h"
#include "platform/qt/QtFiles.h"
#include "service/PageServerConfig.h"
#include "service/WebEngineSetup.h"
#include "service/WebServicePage.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <set>

namespace {

const QString InstalledModes = "/usr/share/apertium/modes";

// One line of the direction set: the page's target, the direction a person expects
// ("fr → es") and the text.
struct DirectionCase {
    QString target, expected, text;
};

std::vector<DirectionCase> directionSet()
{
    QFile file(QLR_SOURCE_DIR "/tests/data/directions.tsv");
    std::vector<DirectionCase> cases;
    if (!file.open(QIODevice::ReadOnly))
        return cases;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        const QStringList fields = line.split('\t');
        if (!line.startsWith('#') && fields.size() == 3)
            cases.push_back({fields[0], fields[1], fields[2]});
    }
    return cases;
}

// What the server gives for text with the pair of a direction such as "fr → es",
// asked without unknown-word marks.
QString unmarkedTranslation(int port, const QString& direction, const QString& text)
{
    static const QMap<QString, QString> serverCode{{"en", "eng"}, {"es", "spa"}, {"fr", "fra"}, {"pt", "por"},
                                                   {"it", "ita"}, {"ca", "cat"}, {"gl", "glg"}, {"eo", "epo"},
                                                   {"eu", "eus"}, {"is", "isl"}, {"hbs", "hbs"}, {"mk", "mkd"}};
    const QStringList codes = direction.split(" → ");
    if (codes.size() != 2 || !serverCode.contains(codes[0]) || !serverCode.contains(codes[1]))
        return {};
    const QByteArray answer = DesktopDriver::run(
        "curl", {"--silent", "--max-time", "10", "--data-urlencode",
                 "langpair=" + serverCode[codes[0]] + "|" + serverCode[codes[1]], "--data-urlencode", "q=" + text,
                 "--data-urlencode", "markUnknown=no", QString("http://127.0.0.1:%1/translate").arg(port)});
    return QJsonDocument::fromJson(answer).object()["responseData"].toObject()["translatedText"].toString();
}

// A modes folder of the test's own holding the installed modes whose names match.
void linkModes(const QTemporaryDir& folder, const QStringList& patterns)
{
    const QDir installed(InstalledModes);
    for (const QString& name : installed.entryList(patterns, QDir::Files))
        QFile::link(installed.filePath(name), QDir(folder.path()).filePath(name));
}

class ServicePageTest : public testing::Test {
protected:
    static constexpr int LoadTimeoutMs = 30000;
    DesktopDriver driver;
    PageCopy pageCopy;
    std::unique_ptr<WebServicePage> page = std::make_unique<WebServicePage>();
    QProcess* standIn = nullptr;
    QStringList asked_;

    static void SetUpTestSuite() { webengine::prepare(); }

    // Starts the stand-in, each answer delayed by delay seconds; its port.
    int startStandIn(double delay = 0)
    {
        standIn = driver.start("python3", {QLR_SOURCE_DIR "/tests/support/apy_standin.py", "--delay",
                                           QString::number(delay)});
        return standIn && standIn->waitForReadyRead(10000) ? standIn->readLine().trimmed().toInt() : 0;
    }
    // The pairs the stand-in was asked to translate with so far, in order.
    QStringList askedPairs()
    {
        // The stand-in notes a request before it answers it: the note is there already.
        while (standIn->waitForReadyRead(20)) {
        }
        QStringList pairs;
        for (const QByteArray& line : standIn->readAllStandardOutput().split('\n'))
            if (line.startsWith("asked "))
                pairs.append(QString::fromUtf8(line.mid(6)));
        asked_ += pairs;
        return asked_;
    }
    // Loads the copy of the page for the server on port with the direction dir.
    bool load(int port, const QString& dir = "enes", int timeoutMs = LoadTimeoutMs)
    {
        page->clearOuterHtml(page::text); // as the program does: the old page is no longer ready
        page->navigate(pageCopy.install(port, "2.0.40") + "?dir=" + dir);
        return waitReady(timeoutMs);
    }
    bool waitReady(int timeoutMs = LoadTimeoutMs)
    {
        return QTest::qWaitFor([&] { return !page->outerHtml(page::text).value_or(QString()).isEmpty(); }, timeoutMs);
    }
    // Runs script in the page's own world; its result as text.
    QString pageScript(const QString& script)
    {
        QString result;
        bool done = false;
        static_cast<QWebEngineView*>(page->view())->page()->runJavaScript(script, [&](const QVariant& value) {
            result = value.toString();
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
        return result;
    }
    // Where the page is and what its status line says, for failure messages.
    std::string pageState()
    {
        return pageScript("location.href + ' | ' + (document.getElementById('status') || {}).textContent").toStdString();
    }
    // Waits until the reads reflect every write made so far.
    void settle() { ASSERT_TRUE(QTest::qWaitFor([&] { return page->isCurrent(); }, 5000)); }
    // Clicks btn with the text and waits for a non-empty translation.
    QString translate(const QString& text, int timeoutMs = 10000)
    {
        page->setValue(page::text, text);
        page->click(page::btn);
        QString result;
        (void)QTest::qWaitFor(
            [&] {
                result = page->innerText(page::translation).value_or(QString());
                return !result.isEmpty();
            },
            timeoutMs);
        return result;
    }
};


TEST_F(ServicePageTest, BecomesReadyAndPublishesVersionDownloadAndTargets)
{
    const int port = startStandIn();
    ASSERT_GT(port, 0);
    EXPECT_FALSE(page->outerHtml(page::text)) << "nothing is loaded yet";
    ASSERT_TRUE(load(port)) << pageState();
    EXPECT_EQ(page->value(page::version), "2.0.40");
    EXPECT_EQ(page->value(page::download), "https://example.org/get");
    const auto targets = page->options(page::selto).value_or(QList<ServicePage::Option>());
    ASSERT_GE(targets.size(), 5);
    EXPECT_EQ(targets.at(0).value + " " + targets.at(1).value, "auto separator");
    for (const ServicePage::Option& option :
         {ServicePage::Option{"es", "Spanish"}, {"ca", "Catalan"}, {"en", "English"}, {"ca_valencia", "Catalan (Valencian)"}})
        EXPECT_TRUE(targets.contains(option)) << option.value.toStdString();
    EXPECT_EQ(page->value(page::selto), "es") << "the target comes from dir";

    page->clearOuterHtml(page::text);
    settle();
    EXPECT_FALSE(page->outerHtml(page::text)) << "a cleared text element is no longer ready";
}

TEST_F(ServicePageTest, TheShippedPageAndTheProgramAgreeOnTheServersPortOfTheirOwn)
{
    const QString shipped = QUrl::fromLocalFile(QLR_SOURCE_DIR "/service/page/index.html").toString();
    page->navigate(shipped + "?dir=enes");
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->outerHtml(page::btn).has_value(); }, LoadTimeoutMs));
    const QString pagePort = pageScript("String(window.QUILLORA_PAGE.apyPort)");
    platform::QtFiles files;
    const auto program = PageServerConfig::read(shipped, files);
    ASSERT_TRUE(program) << "the shipped page's launcher was not found beside it";
    EXPECT_EQ(pagePort, QString::number(program->port));
    EXPECT_NE(program->port, 2737) << "not the port of a system-wide server";
    EXPECT_EQ(program->launcher, QLR_SOURCE_DIR "/service/server/translation-server.py");
}

TEST_F(ServicePageTest, TheButtonEmptiesTheResultAtOnceThenFillsItAndHostileTextNeverRuns)
{
    ASSERT_TRUE(load(startStandIn(0.5))) << pageState();
    EXPECT_EQ(translate("first text"), "sp:first text");
    EXPECT_EQ(page->innerText(page::fromto), "en → es");
    page->setValue(page::text, "second text");
    page->click(page::btn);
    settle();
    EXPECT_EQ(page->innerText(page::translation), "") << "a stale result must not stay";
    EXPECT_EQ(page->innerText(page::fromto), "");
    EXPECT_TRUE(QTest::qWaitFor([&] { return page->innerText(page::translation) == "sp:second text"; }, 10000))
        << "the page reports the result it fills in later";
    EXPECT_EQ(translate("sp:hola"), "en:sp:hola") << "text in the target language goes into English";
    EXPECT_EQ(page->innerText(page::fromto), "es → en");
    page->setValue(page::text, QString::fromUtf16(u" \n\t\u00a0 "));
    page->click(page::btn);
    settle();
    EXPECT_EQ(page->innerText(page::translation), "") << "white space is answered at once, with nothing";
    EXPECT_EQ(pageScript("document.getElementById('status').textContent"), "Nothing to translate.");

    const QString hostile = QString::fromUtf16(u"\"'\\\\ </script><script>document.title='owned'</script> "
                                               u"\"); document.title = \"owned\"; (\" \u2028 \u2029 ") +
                            QChar(0) + " end";
    EXPECT_EQ(translate(hostile), "sp:" + hostile);
    EXPECT_EQ(page->value(page::text), hostile);
    const QString longText = QString("The children were playing outside. ").repeated(40);
    const qsizetype askedBefore = askedPairs().size();
    EXPECT_EQ(translate(longText), "sp:" + longText) << "a long text goes as a POST";
    EXPECT_EQ(askedPairs().mid(askedBefore), QStringList({"eng|spa"}))
        << "text surely English asks English into the target only: no other pipeline starts for it";
    EXPECT_EQ(pageScript("document.title"), "Quillora translator");
}

TEST_F(ServicePageTest, ADiscardedPageAnswersNothingUntilTheNextLoadAndAKilledOneIsReportedLost)
{
    int losses = 0;
    page->setLossHandler([&] { ++losses; });
    const int port = startStandIn();
    ASSERT_TRUE(load(port)) << pageState();
    page->view()->show();
    EXPECT_FALSE(page->discard()) << "a page on screen is kept";
    page->view()->hide();
    ASSERT_TRUE(page->discard());
    EXPECT_FALSE(page->outerHtml(page::text)) << "a discarded page is not ready";
    EXPECT_TRUE(QTest::qWaitFor([&] { return page->rendererProcessId() == 0; }, 10000)) << "its renderer is let go";
    ASSERT_TRUE(load(port)) << pageState();
    EXPECT_EQ(translate("back again"), "sp:back again");
    EXPECT_EQ(losses, 0) << "letting go is no loss";

    ASSERT_EQ(kill(pid_t(page->rendererProcessId()), SIGKILL), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return losses == 1; }, 10000)) << "a killed renderer is";
    EXPECT_FALSE(page->outerHtml(page::text));
}

TEST_F(ServicePageTest, AFailingServerOrMissingPageLeavesTheTranslationEmpty)
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
    EXPECT_FALSE(waitReady(3000)) << "the page is there, but not ready: " << pageState();

    // A page that cannot be loaded has no elements; writes to it are quiet no-ops. Why
    // it cannot be loaded goes to the standard error, once however often it is tried.
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings.append(text); });
    for (int attempt = 0; attempt < 2; ++attempt) {
        page->navigate("file:///nonexistent/page.html?dir=enes");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !page->outerHtml(page::btn); }, 10000)) << pageState();
        settle();
        page->navigate("javascript:alert(1)");
        settle();
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings.filter("qlr: ").size(), 2) << warnings.join("\n").toStdString();
    EXPECT_EQ(warnings.filter("file:///nonexistent/page.html?dir=enes could not be loaded").size(), 1);
    EXPECT_EQ(warnings.filter("\"javascript:alert(1)\" is not a web or file address").size(), 1);
    page->setValue(page::text, "x");
    page->click(page::btn);
    settle();
    EXPECT_FALSE(page->innerText(page::translation) || page->options(page::selto));

    // A folder with a blank and an accented letter, named as the user would write it.
    page->navigate(pageCopy.installAsWritten("My Pages é", startStandIn(), "2.0.40") + "?dir=enes");
    EXPECT_TRUE(waitReady()) << pageState();
}

TEST_F(ServicePageTest, ChoosesTheDirectionAPersonExpectsForShortTextsInEveryInstalledLanguage)
{
    ApyServer server(ApyServer::freePort());
    ASSERT_TRUE(server.start()) << "apertium-apy with the pairs scripts/install-deps.sh installs";
    std::vector<DirectionCase> cases = directionSet();
    ASSERT_GE(cases.size(), 100u);
    std::stable_sort(cases.begin(), cases.end(), [](const auto& a, const auto& b) { return a.target < b.target; });
    QString loaded;
    std::set<QString> sourceLanguages;
    int agreed = 0;
    QStringList misses;
    for (const DirectionCase& c : cases) {
        if (c.target != loaded) {
            ASSERT_TRUE(load(server.port(), "en" + c.target)) << pageState();
            loaded = c.target;
        }
        sourceLanguages.insert(c.expected.section(" → ", 0, 0));
        const QString translated = translate(c.text);
        const QString chosen = page->innerText(page::fromto).value_or(QString());
        if (chosen != c.expected) {
            misses.append(c.text + ": " + chosen + " instead of " + c.expected);
            continue;
        }
        ++agreed;
        EXPECT_EQ(translated, unmarkedTranslation(server.port(), chosen, c.text))
            << "the text shown is the unmarked translation of " << c.text.toStdString();
    }
    std::cout << "directions as expected: " << agreed << " of " << cases.size() << "\n"
              << misses.join("\n").toStdString() << "\n";
    EXPECT_GE(sourceLanguages.size(), 6u);
    EXPECT_GE(agreed * 10, int(cases.size()) * 9) << misses.join("\n").toStdString();

    // A language with no pair into the target goes into English.
    ASSERT_TRUE(load(server.port(), "enes")) << pageState();
    EXPECT_FALSE(translate("Ég veit ekki hvar bókin mín er.").isEmpty());
    EXPECT_EQ(page->innerText(page::fromto), "is → en");
}

TEST_F(ServicePageTest, ListsEveryInstalledTargetByItsNameAndLearnsOfPairsInstalledLaterAtTheNextLoad)
{
    QTemporaryDir modes;
    linkModes(modes, {"eng-spa.mode", "spa-eng.mode"});
    const int port = ApyServer::freePort();
    auto server = std::make_unique<ApyServer>(port, modes.path());
    ASSERT_TRUE(server->start());
    ASSERT_TRUE(load(port, "enca")) << pageState();
    QStringList values;
    for (const ServicePage::Option& option : page->options(page::selto).value_or(QList<ServicePage::Option>()))
        values.append(option.value);
    EXPECT_EQ(values, QStringList({"auto", "separator", "en", "es"}));
    EXPECT_EQ(page->value(page::selto), "auto") << "a target not installed is not offered";

    // More pairs installed, the server restarted, the page loaded again (Reconnect).
    server.reset();
    linkModes(modes, {"*.mode"});
    server = std::make_unique<ApyServer>(port, modes.path());
    ASSERT_TRUE(server->start());
    ASSERT_TRUE(load(port, "enca")) << pageState();
    const auto targets = page->options(page::selto).value_or(QList<ServicePage::Option>());
    EXPECT_GT(targets.size(), 6);
    for (const ServicePage::Option& option : targets.mid(2))
        EXPECT_TRUE(option.text != option.value && !option.text.contains('_') && option.text.at(0).isUpper())
            << option.value.toStdString() << " is listed as " << option.text.toStdString();
    EXPECT_EQ(page->value(page::selto), "ca");
    EXPECT_FALSE(translate("The children are playing outside.").isEmpty());
    EXPECT_EQ(page->innerText(page::fromto), "en → ca");
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

} // namespace
