#pragma once
// Which executable owns a window: a snapshot of the running processes, kept as an
// array of records whose entry 0 stays empty, searched by the window's process id.

#include "platform/Processes.h"
#include "platform/WindowHandle.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>

class ProcessTable {
public:
    // windowProcessId: the id of the process that owns a window (0 when unknown).
    ProcessTable(platform::Processes& processes, std::function<std::uint32_t(WindowHandle)> windowProcessId);

    // Entry index of the table; an index outside it is the caller's error.
    const platform::ProcessRecord& entry(int index) const { return records_.at(index); }

    // Takes a new snapshot into entries 1..n and returns n; 0 (array unchanged) when
    // no snapshot can be taken.
    int takeSnapshot();
    // Executable file name of the process owning the window, or empty.
    QString executableOfWindow(WindowHandle window);

    // Current size of the record array (grows in steps of 20).
    int capacity() const { return static_cast<int>(records_.size()); }

private:
    void resize(int lastIndex);

    platform::Processes& processes_;
    std::function<std::uint32_t(WindowHandle)> windowProcessId_;
    QList<platform::ProcessRecord> records_;
};
