// The process snapshot from /proc: odd executable names, and this very process.
#include "platform/linux/ProcProcesses.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using platform::os::ProcProcesses;

TEST(ProcProcesses, ParsesStatLinesAndFindsThisProcess)
{
    const auto record = ProcProcesses::parseStat(
        "4242 (my (odd) prog) S 17 4242 4242 0 -1 4194560 1 0 0 0 0 0 0 0 20 0 9 0 1 2 3", QString());
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->pid, 4242u);
    EXPECT_EQ(record->parentPid, 17u);
    EXPECT_EQ(record->priority, 20);
    EXPECT_EQ(record->threads, 9u);
    EXPECT_EQ(record->exeFile, "my (odd) prog");
    for (const char* broken : {"", "garbage", "12 (x) S 1 2", "x (y) S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18"})
        EXPECT_FALSE(ProcProcesses::parseStat(broken, QString())) << broken;

    ProcProcesses processes;
    EXPECT_EQ(processes.executablePath(getpid()), QCoreApplication::applicationFilePath());
    EXPECT_EQ(processes.executablePath(0x7ffffff0), "") << "no such process, no path";
}

} // namespace
