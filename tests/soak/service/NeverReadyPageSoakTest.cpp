// A service page that never becomes ready, with the program retrying every second for a
// long time: memory and the number of browser helper processes stay flat, the page keeps
// being reloaded, and the program keeps answering (a request shows the not-connected text
// at once, the event loop never stands still).
#include "ApyServer.h"
#include "SelectionSource.h"
#include "ServiceSoakFixture.h"
#include "core/TranslationPipeline.h"

#include <QElapsedTimer>

namespace {

const QString NotConnectedText = "Not connected";

struct NeverReadyCase {
    const char* name;
    // The page's address, given a port nothing listens on and the installed page.
    QString (*address)(int deadPort, const QString& installedPage);
};

const NeverReadyCase Cases[] = {
    // The shipped page whose translation server is not running: the page loads but
    // never offers its text box.
    {"ServerNotRunning", [](int, const QString& installedPage) { return installedPage; }},
    // An address nobody serves: every load ends on the browser's error page.
    {"AddressNobodyServes",
     [](int deadPort, const QString&) { return QString("http://127.0.0.1:%1/index.html").arg(deadPort); }},
};

// Keeps the test names readable (and stable) in the test lists.
void PrintTo(const NeverReadyCase& page, std::ostream* out) { *out << page.name; }

class NeverReadyPageSoak : public ServiceSoakFixture, public testing::WithParamInterface<NeverReadyCase> {};

TEST_P(NeverReadyPageSoak, ReloadsForeverWithoutGrowing)
{
    const int warmUpSeconds = soakRounds(10, 60);
    const int soakSeconds = soakRounds(20, 600);
    const int deadPort = ApyServer::freePort();
    ASSERT_GT(deadPort, 0);
    writeSettings(GetParam().address(deadPort, installPage(deadPort)),
                  "servertimeout=3\r\nCheckConnectionInterval=1\r\ntimeoutstr=Timed out\r\nNotConnectedStr=" +
                      NotConnectedText + "\r\n");
    ASSERT_NO_FATAL_FAILURE(startProgram());
    int loads = 0;
    const QObject countingLoads; // ends the count with this test
    QObject::connect(browserPage(), &QWebEnginePage::loadStarted, &countingLoads, [&] { ++loads; });
    bool everReady = false;
    int mostHelpers = 0;
    // Watches the run once a second.
    const auto watch = [&](int seconds) {
        for (int second = 0; second < seconds && !everReady; ++second) {
            QTest::qWait(1000);
            everReady = state().pageReady || state().connected;
            mostHelpers = std::max(mostHelpers, footprint().helpers);
        }
    };

    watch(warmUpSeconds);
    const BrowserFootprint warm = footprint();
    const int helpersInWarmUp = mostHelpers;
    const int loadsInWarmUp = loads;
    EventLoopProbe probe;
    watch(soakSeconds);
    ASSERT_FALSE(everReady) << "the page counted as ready: " << GetParam().name;
    const BrowserFootprint end = footprint();

    // Still answering: a selection gets the not-connected text at once.
    SelectionSource source(*platform);
    ASSERT_TRUE(source.waitInFront());
    ASSERT_TRUE(source.select("The house is big."));
    const QPoint at = source.releasePoint();
    EXPECT_TRUE(app->pipeline()->request().translateSelection(at.x(), at.y(), at.x() - 100))
        << "nothing captured at " << at.x() << "," << at.y();
    EXPECT_EQ(popup().shownText(), NotConnectedText);

    const int soakLoads = loads - loadsInWarmUp;
    report(QString("%1: %2 s after a %3 s warm-up, %4 page loads, at most %5 helpers (%6 in warm-up)")
               .arg(GetParam().name)
               .arg(soakSeconds)
               .arg(warmUpSeconds)
               .arg(soakLoads)
               .arg(mostHelpers)
               .arg(helpersInWarmUp));
    // Reloading once a second, with room for a loaded machine.
    EXPECT_GE(soakLoads, soakSeconds / 3) << "the program stopped reloading the page";
    EXPECT_LE(mostHelpers, std::max(helpersInWarmUp, warm.helpers)) << "helper processes pile up";
    expectNoGrowth(warm, end);
    expectResponsive(probe);
}

INSTANTIATE_TEST_SUITE_P(Pages, NeverReadyPageSoak, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<NeverReadyCase>& info) { return info.param.name; });

} // namespace
