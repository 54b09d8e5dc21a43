#include "core/ProcessTable.h"
#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

platform::ProcessRecord process(std::uint32_t pid, const QString& exe)
{
    return {pid, 1, 3, 20, exe};
}

class ProcessTableTest : public testing::Test {
protected:
    platform::fake::FakeProcesses processes;
    QMap<WindowHandle, std::uint32_t> windowOwners;
    ::ProcessTable table{processes, [this](WindowHandle w) { return windowOwners.value(w); }};

    void runProcesses(int count)
    {
        processes.running.clear();
        for (int i = 1; i <= count; ++i)
            processes.running.append(process(1000 + i, QString("app%1").arg(i)));
    }
};

TEST_F(ProcessTableTest, EveryProcessIsFoundWhateverTheCount)
{
    for (int count : {1, 19, 20, 21, 39, 40, 41, 60, 61, 137}) {
        runProcesses(count);
        ASSERT_EQ(table.takeSnapshot(), count);
        EXPECT_GT(table.capacity(), count) << count;
        EXPECT_EQ(table.capacity() % 20, 1) << "the array grows in steps of 20";
        for (int i = 1; i <= count; ++i) {
            EXPECT_EQ(table.th32ProcessID(i), 1000u + i);
            EXPECT_EQ(table.szExeFile(i), QString("app%1").arg(i));
        }
        windowOwners.insert(77, 1000 + count);
        EXPECT_EQ(table.executableOfWindow(77), QString("app%1").arg(count)) << count;
    }
}

TEST_F(ProcessTableTest, RecordsCarryTheSnapshotFields)
{
    processes.running = {{4242, 17, 9, -5, "xterm"}};
    ASSERT_EQ(table.takeSnapshot(), 1);
    EXPECT_EQ(table.th32ParentProcessID(1), 17u);
    EXPECT_EQ(table.cntThreads(1), 9u);
    EXPECT_EQ(table.pcPriClassBase(1), -5);
    EXPECT_EQ(table.th32ProcessID(0), 0u) << "entry 0 stays empty";
    EXPECT_EQ(table.szExeFile(0), "");
}

TEST_F(ProcessTableTest, FullPathIsEmptyWhereAccessIsDeniedAndUnknownWindowsHaveNoName)
{
    processes.running = {process(10, "firefox-esr"), process(11, "sshd")};
    processes.exePaths.insert(10, "/usr/lib/firefox-esr/firefox-esr");
    windowOwners.insert(1, 10);
    windowOwners.insert(2, 11);

    QString path = "stale";
    EXPECT_EQ(table.executableOfWindow(1, &path), "firefox-esr");
    EXPECT_EQ(path, "/usr/lib/firefox-esr/firefox-esr");
    EXPECT_EQ(table.executableOfWindow(2, &path), "sshd") << "the name comes from the snapshot";
    EXPECT_EQ(path, "");

    windowOwners.insert(5, 999); // its process has ended
    EXPECT_EQ(table.executableOfWindow(5), "");
    EXPECT_EQ(table.executableOfWindow(123456), "") << "an invalid window reads as process 0";
}

TEST_F(ProcessTableTest, FailedSnapshotLeavesTheArray)
{
    runProcesses(3);
    ASSERT_EQ(table.takeSnapshot(), 3);
    processes.snapshotFails = true;
    EXPECT_EQ(table.takeSnapshot(), 0);
    EXPECT_EQ(table.szExeFile(2), "app2");

    // A shorter snapshot leaves older records above n, but they are never searched.
    processes.snapshotFails = false;
    runProcesses(1);
    windowOwners.insert(9, 1003);
    EXPECT_EQ(table.executableOfWindow(9), "");
}

} // namespace
