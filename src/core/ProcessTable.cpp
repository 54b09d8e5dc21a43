#include "core/ProcessTable.h"

#include "platform/Processes.h"

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
        records_[count] = process;
    }
    return count;
}

QString ProcessTable::executableOfWindow(WindowHandle window)
{
    const std::uint32_t pid = windowProcessId_ ? windowProcessId_(window) : 0;
    const int count = takeSnapshot();
    for (int index = 0; index <= count && index < capacity(); ++index)
        if (records_.at(index).pid == pid)
            return records_.at(index).exeFile;
    return QString();
}
