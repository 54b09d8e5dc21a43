// Translation after translation while the translation server dies and comes back: every
// request ends, with the translation or with the time-out text, never hangs; the
// translations come back with the server; memory stays flat.
//
// The requests enter where a finished selection enters the program (translateSelection,
// then openPopup as the watcher does in ControlMode 3) with the text selected in a window
// of this process rather than by pointer drags: the capture, the page, the polling and the
// time-out all run for real, and hundreds of rounds stay fast and free of input timing.
#include "ApyServer.h"
#include "SelectionSource.h"
#include "ServiceSoakFixture.h"
#include "core/TranslationPipeline.h"
#include "popup/TranslationPopup.h"

#include <QElapsedTimer>

namespace {

const QString TimeoutText = "The server did not answer";
// A dead server costs this many seconds per request.
constexpr int ServerTimeoutSeconds = 4;
// Requests sent in each cycle while the server is down, before it is restarted.
constexpr int RequestsWhileDown = 2;

QString sentence(int number) { return QString("The house number %1 is big.").arg(number); }
QString translated(int number) { return QString("El número de casa %1 es grande.").arg(number); }

class TranslationServerRestartSoak : public ServiceSoakFixture {
protected:
    std::unique_ptr<SelectionSource> source;

    // What the popup ends with for one selected text; empty when it never ends.
    QString translateSelection(const QString& text)
    {
        popup().hidePopup();
        if (!source->select(text))
            return "(the selection could not be made)";
        const QPoint at = source->releasePoint();
        if (!app->pipeline()->request().translateSelection(at.x(), at.y(), at.x() - 120))
            return "(the request did not start: nothing captured)";
        popup().openPopup(at.x(), at.y());
        QString shown;
        const bool ended = QTest::qWaitFor(
            [&] {
                shown = popup().shownText();
                const bool waiting = shown.isEmpty() || shown.count('.') == shown.size();
                return !waiting && popup().translationWindow().isVisible();
            },
            (ServerTimeoutSeconds + 15) * 1000);
        if (!ended)
            return {};
        // An ended request leaves nothing polling or counting down behind it.
        EXPECT_FALSE(timers().resultPoll.isRunning() || timers().translationTimeout.isRunning() || timers().progressDots.isRunning())
            << text.toStdString();
        return shown;
    }
};

TEST_F(TranslationServerRestartSoak, EveryRequestEndsAndTranslationsResume)
{
    const int translations = soakRounds(30, 300);
    const int cycle = soakRounds(10, 50);
    ApyServer server(ApyServer::freePort());
    ASSERT_TRUE(server.start()) << "apertium-apy did not start (scripts/install-deps.sh installs it)";
    writeSettings(installPage(server.port()), QString("servertimeout=%1\r\nCheckConnectionInterval=10\r\n"
                                                      "timeoutstr=%2\r\nNotConnectedStr=Not connected\r\n")
                                                  .arg(ServerTimeoutSeconds)
                                                  .arg(TimeoutText));
    ASSERT_NO_FATAL_FAILURE(startProgram());
    ASSERT_TRUE(QTest::qWaitFor([&] { return state().connected; }, 90000)) << "the page never became ready";
    source = std::make_unique<SelectionSource>(*platform);
    ASSERT_TRUE(source->waitInFront()) << "the selection window never came to the front";

    QElapsedTimer clock;
    clock.start();
    EventLoopProbe probe;
    BrowserFootprint warm;
    int timeouts = 0;
    qint64 slowestTranslationMs = 0;
    for (int round = 0; round < translations; ++round) {
        const int inCycle = round % cycle;
        if (inCycle == 0)
            server.kill();
        if (inCycle == RequestsWhileDown) {
            ASSERT_TRUE(server.start()) << "round " << round << ": the server did not come back";
        }
        const bool serverUp = inCycle >= RequestsWhileDown;

        QElapsedTimer took;
        took.start();
        const QString shown = translateSelection(sentence(round));
        ASSERT_FALSE(shown.isEmpty()) << "round " << round << " hangs; the popup shows \""
                                      << popup().shownText().toStdString() << "\"";
        if (serverUp) {
            EXPECT_EQ(shown, translated(round)) << "round " << round << " with the server up";
            slowestTranslationMs = std::max(slowestTranslationMs, took.elapsed());
        } else {
            EXPECT_EQ(shown, TimeoutText) << "round " << round << " with the server down";
        }
        timeouts += shown == TimeoutText;
        if (round == cycle - 1)
            warm = footprint();
        if (HasFailure())
            return; // the rest would repeat the fault
    }
    popup().hidePopup();
    QTest::qWait(1000);
    const BrowserFootprint end = footprint();

    report(QString("%1 requests, %2 timed out, server killed %3 times, %4 s; slowest translation %5 ms")
               .arg(translations)
               .arg(timeouts)
               .arg((translations + cycle - 1) / cycle)
               .arg(clock.elapsed() / 1000.0, 0, 'f', 1)
               .arg(slowestTranslationMs));
    expectNoGrowth(warm, end);
    expectResponsive(probe);
}

} // namespace
