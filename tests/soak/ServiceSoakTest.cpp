// The whole program with its real page, selection after selection in an xterm while its
// own translation server is killed again and again, for a long time: every request ends
// (with the translation, the time-out or the not-connected text, never hanging), the
// program starts its server again by itself and translations resume, and memory, the
// browser engine's helper processes and the event loop's stalls stay bounded.
#include "ListeningSockets.h"
#include "ProgramOnDesktop.h"
#include "platform/Processes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// The resident memory of this process and of the browser engine's helper processes it
// started, and how many helpers there are: what a long run must not let grow.
struct BrowserFootprint {
    double ownMb = 0;
    double helpersMb = 0;
    int helpers = 0;

    double totalMb() const { return ownMb + helpersMb; }
    QString describe() const
    {
        return QString("RSS %1 MB (this process %2 MB, %3 helpers)").arg(totalMb()).arg(ownMb).arg(helpers);
    }

    static double residentMbOf(std::uint32_t pid)
    {
        QFile status(QString("/proc/%1/status").arg(pid));
        if (status.open(QIODevice::ReadOnly))
            for (const QByteArray& line : status.readAll().split('\n'))
                if (line.startsWith("VmRSS:"))
                    return line.simplified().split(' ').value(1).toDouble() / 1024;
        return 0;
    }

    // The helpers are descendants (the engine forks its renderers from a zygote).
    static BrowserFootprint measure(platform::Processes& processes)
    {
        BrowserFootprint footprint{residentMbOf(std::uint32_t(getpid())), 0, 0};
        const QList<pid_t> family = listening::processTree(getpid());
        for (const platform::ProcessRecord& process : processes.snapshot().value_or(QList<platform::ProcessRecord>()))
            if (family.contains(pid_t(process.pid)) && process.exeFile.startsWith("QtWebEngineProcess")) {
                footprint.helpersMb += residentMbOf(process.pid);
                ++footprint.helpers;
            }
        return footprint;
    }
};


using ServiceSoak = ProgramOnDesktop;

TEST_F(ServiceSoak, EveryRequestEndsWhileTheServerDiesAndTheProgramBringsItBack)
{
    const bool longRun = qEnvironmentVariableIsSet("QLR_SOAK_LONG");
    const int rounds = longRun ? 300 : 30, cycle = longRun ? 50 : 10;
    // A page on a port of its own, where nothing answers until the program starts its server.
    PageCopy ownPage;
    const int port = ApyServer::freePort();
    ASSERT_NO_FATAL_FAILURE(startProgram({"ControlMode=3", "SmoothGlide=0", "servertimeout=4", "timeoutstr=No answer",
                                          "NotConnectedStr=Not connected", "CheckConnectionInterval=2"},
                                         ownPage.install(port, Application::programVersion())));
    const Terminal term = openTranslatedTerminal();
    // The longest time the event loop went without turning.
    QTimer probe;
    QElapsedTimer sinceTurn;
    qint64 longestStallMs = 0;
    QObject::connect(&probe, &QTimer::timeout, [&] { longestStallMs = std::max(longestStallMs, sinceTurn.restart()); });
    sinceTurn.start();
    probe.start(50);
    BrowserFootprint warm;
    int kills = 0;
    for (int round = 0; round < rounds; ++round) {
        const bool killed = round % cycle == 0;
        if (killed) {
            // Whatever listens on the page's port, with its pipelines, as a crash would end them.
            const pid_t listener = listening::ownerOfPort(port);
            ASSERT_GT(listener, 0) << "round " << round << ": nothing listens on the page's port";
            ASSERT_EQ(::kill(-::getpgid(listener), SIGKILL), 0);
            ++kills;
        }
        request().configure(app->appliedSettings()); // an empty cache: every round asks the page
        selectSentence(term);
        const QStringList endings = killed ? QStringList{SentenceEs, "No answer", "Not connected"} : QStringList{SentenceEs};
        ASSERT_TRUE(QTest::qWaitFor([&] { return popup().translationWindow().isVisible() &&
                                                 endings.contains(popup().shownText()); }, 30000))
            << "round " << round << " ends on \"" << popup().shownText().toStdString() << "\"";
        ASSERT_FALSE(request().isAwaiting()) << "round " << round << " left a poll or a time-out running";
        // The program starts its server again on its own; the next round translates.
        if (killed) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return connected() && listening::ownerOfPort(port) > 0; }, 60000))
                << "round " << round << ": the program did not bring its server back";
        }
        if (round == cycle - 1)
            warm = BrowserFootprint::measure(platform->processes());
    }
    const BrowserFootprint end = BrowserFootprint::measure(platform->processes());
    std::printf("[soak] %d selections, the server killed %d times; memory after warm-up %s, at the end %s; "
                "longest event loop stall %lld ms\n",
                rounds, kills, qPrintable(warm.describe()), qPrintable(end.describe()), longestStallMs);
    EXPECT_GT(warm.helpers, 0) << "the browser engine's helper processes were not found";
    EXPECT_LT(end.totalMb() - warm.totalMb(), 40) << "a leak: " << end.describe().toStdString();
    EXPECT_LE(end.helpers, warm.helpers) << "the browser engine keeps more helper processes";
    EXPECT_LT(longestStallMs, 2000) << "the event loop stood still";
}

} // namespace
