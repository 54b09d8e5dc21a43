// The whole program with its real page, selection after selection in an xterm while its
// translation server dies and comes back, for a long time: every request ends (with the
// translation or the time-out text, never hanging), translations resume, and memory,
// the browser engine's helper processes and the event loop's stalls stay bounded.
#include "ProgramOnDesktop.h"
#include "platform/Processes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTimer>
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
        QSet<std::uint32_t> family{std::uint32_t(getpid())};
        const auto all = processes.snapshot().value_or(QList<platform::ProcessRecord>());
        for (qsizetype before = 0; before != family.size();) {
            before = family.size();
            for (const platform::ProcessRecord& process : all)
                if (family.contains(process.parentPid))
                    family.insert(process.pid);
        }
        for (const platform::ProcessRecord& process : all)
            if (family.contains(process.pid) && process.exeFile.startsWith("QtWebEngineProcess")) {
                footprint.helpersMb += residentMbOf(process.pid);
                ++footprint.helpers;
            }
        return footprint;
    }
};


using ServiceSoak = ProgramOnDesktop;

TEST_F(ServiceSoak, EveryRequestEndsWhileTheServerDiesAndComesBack)
{
    const bool longRun = qEnvironmentVariableIsSet("QLR_SOAK_LONG");
    const int rounds = longRun ? 300 : 30, cycle = longRun ? 50 : 10, whileDown = 2;
    ASSERT_NO_FATAL_FAILURE(startProgram({"ControlMode=3", "SmoothGlide=0", "servertimeout=4", "timeoutstr=No answer"}));
    enableTranslationIn("xterm");
    const Terminal term = openTerminal();
    ASSERT_TRUE(waitForForeground("xterm"));
    // The longest time the event loop went without turning.
    QTimer probe;
    QElapsedTimer sinceTurn;
    qint64 longestStallMs = 0;
    QObject::connect(&probe, &QTimer::timeout, [&] { longestStallMs = std::max(longestStallMs, sinceTurn.restart()); });
    sinceTurn.start();
    probe.start(50);
    BrowserFootprint warm;
    for (int round = 0; round < rounds; ++round) {
        if (round % cycle == 0)
            server->kill();
        if (round % cycle == whileDown) {
            ASSERT_TRUE(server->start()) << "round " << round << ": the server did not come back";
        }
        request().configure(app->appliedSettings()); // an empty cache: every round asks the page
        selectSentence(term);
        const QString expected = round % cycle >= whileDown ? SentenceEs : QString("No answer");
        ASSERT_TRUE(waitForPopupText(expected)) << "round " << round << " ends on \""
                                                << popup().shownText().toStdString() << "\"";
        ASSERT_FALSE(request().isAwaiting()) << "round " << round << " left a poll or a time-out running";
        if (round == cycle - 1)
            warm = BrowserFootprint::measure(platform->processes());
    }
    const BrowserFootprint end = BrowserFootprint::measure(platform->processes());
    std::printf("[soak] %d selections; memory after warm-up %s, at the end %s; longest event loop stall %lld ms\n",
                rounds, qPrintable(warm.describe()), qPrintable(end.describe()), longestStallMs);
    EXPECT_GT(warm.helpers, 0) << "the browser engine's helper processes were not found";
    EXPECT_LT(end.totalMb() - warm.totalMb(), 40) << "a leak: " << end.describe().toStdString();
    EXPECT_LE(end.helpers, warm.helpers) << "the browser engine keeps more helper processes";
    EXPECT_LT(longestStallMs, 2000) << "the event loop stood still";
}

} // namespace
