#include "core/ProcessTable.h"

#include "platform/Processes.h"

namespace {
// Size of the ANSI process-entry record the snapshot fills.
constexpr std::uint32_t RecordSize = 296;
} // namespace

ProcessTable::ProcessTable(platform::Processes& processes, std::function<std::uint32_t(WindowHandle)> windowProcessId)
    : processes_(processes), windowProcessId_(std::move(windowProcessId))
{
}

void ProcessTable::resize(int lastIndex)
{
    records_.resize(lastIndex + 1);
}

int ProcessTable::takeSnapshot()
{
    const auto snapshot = processes_.snapshot();
    if (!snapshot)
        return 0;
    resize(20);
    int count = 0;
    for (const platform::ProcessRecord& process : *snapshot) {
        ++count;
        if (count % 20 == 0)
            resize(count + 20);
        Record& r = records_[count];
        r = Record{};
        r.dwSize = RecordSize;
        r.th32ProcessID = process.pid;
        r.cntThreads = process.threads;
        r.th32ParentProcessID = process.parentPid;
        r.pcPriClassBase = process.priority;
        r.szExeFile = process.exeFile;
    }
    return count;
}

QString ProcessTable::executableOfWindow(WindowHandle window, QString* fullPath)
{
    const std::uint32_t pid = windowProcessId_ ? windowProcessId_(window) : 0;
    const int count = takeSnapshot();
    for (int index = 0; index <= count && index < capacity(); ++index)
        if (records_.at(index).th32ProcessID == pid)
            return executableAt(index, fullPath);
    return QString();
}

QString ProcessTable::executableAt(int index, QString* fullPath)
{
    const Record& r = record(index);
    if (fullPath)
        *fullPath = r.th32ProcessID ? processes_.executablePath(r.th32ProcessID) : QString();
    return r.szExeFile;
}
