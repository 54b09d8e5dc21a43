#include "platform/x11/ProcProcesses.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using platform::x11::ProcProcesses;

TEST(ProcProcesses, ParsesStatLines)
{
    const QByteArray odd = "4242 (my (odd) prog) S 17 4242 4242 0 -1 4194560 1 0 0 0 0 0 0 0 20 0 9 0 1 2 3";
    const auto record = ProcProcesses::parseStat(odd, QString());
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->pid, 4242u);
    EXPECT_EQ(record->parentPid, 17u);
    EXPECT_EQ(record->priority, 20);
    EXPECT_EQ(record->threads, 9u);
    EXPECT_EQ(record->exeFile, "my (odd) prog");

    EXPECT_FALSE(ProcProcesses::parseStat("", QString()));
    EXPECT_FALSE(ProcProcesses::parseStat("garbage", QString()));
    EXPECT_FALSE(ProcProcesses::parseStat("12 (x) S 1 2", QString()));
    EXPECT_FALSE(ProcProcesses::parseStat("x (y) S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18", QString()));
}

TEST(ProcProcesses, FindsRunningProcessesWithTheirExecutables)
{
    ProcProcesses processes;
    QProcess child;
    child.start("sleep", {"30"});
    ASSERT_TRUE(child.waitForStarted());

    const auto snapshot = processes.snapshot();
    ASSERT_TRUE(snapshot.has_value());
    bool foundSelf = false, foundChild = false;
    for (const platform::ProcessRecord& p : *snapshot) {
        if (p.pid == std::uint32_t(getpid())) {
            foundSelf = true;
            EXPECT_EQ(p.exeFile, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
            EXPECT_GE(p.threads, 1u);
        }
        if (p.pid == std::uint32_t(child.processId())) {
            foundChild = true;
            EXPECT_EQ(p.exeFile, "sleep");
            EXPECT_EQ(p.parentPid, std::uint32_t(getpid()));
        }
    }
    EXPECT_TRUE(foundSelf);
    EXPECT_TRUE(foundChild);
    EXPECT_EQ(processes.executablePath(getpid()), QCoreApplication::applicationFilePath());
    const auto childPid = std::uint32_t(child.processId());
    EXPECT_EQ(processes.executablePath(childPid), "/usr/bin/sleep");
    child.kill();
    child.waitForFinished();
    EXPECT_EQ(processes.executablePath(childPid), "") << "an ended process has no path";
}

} // namespace
