#pragma once
// Which executable owns a window: a snapshot of the running processes, kept as an
// array of records whose entry 0 stays empty, searched by the window's process id.

#include "common/AppState.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>

namespace platform {
class Processes;
}

class ProcessTable {
public:
    // The record of one process, in the platform's process-entry layout.
    struct Record {
        std::uint32_t dwSize = 0;
        std::uint32_t cntUsage = 0;
        std::uint32_t th32ProcessID = 0;
        std::uint32_t th32DefaultHeapID = 0;
        std::uint32_t th32ModuleID = 0;
        std::uint32_t cntThreads = 0;
        std::uint32_t th32ParentProcessID = 0;
        std::int32_t pcPriClassBase = 0;
        std::uint32_t dwFlags = 0;
        QString szExeFile;
    };

    // windowProcessId: the id of the process that owns a window (0 when unknown).
    ProcessTable(platform::Processes& processes, std::function<std::uint32_t(WindowHandle)> windowProcessId);

    // Field readers of entry index; an index outside the array is the caller's error.
    QString szExeFile(int index) const { return record(index).szExeFile; }
    std::uint32_t dwFlags(int index) const { return record(index).dwFlags; }
    std::int32_t pcPriClassBase(int index) const { return record(index).pcPriClassBase; }
    std::uint32_t th32ParentProcessID(int index) const { return record(index).th32ParentProcessID; }
    std::uint32_t cntThreads(int index) const { return record(index).cntThreads; }
    std::uint32_t thModuleID(int index) const { return record(index).th32ModuleID; }
    std::uint32_t th32DefaultHeapID(int index) const { return record(index).th32DefaultHeapID; }
    std::uint32_t th32ProcessID(int index) const { return record(index).th32ProcessID; }
    std::uint32_t cntUsage(int index) const { return record(index).cntUsage; }
    std::uint32_t dwSize(int index) const { return record(index).dwSize; }

    // Takes a new snapshot into entries 1..n and returns n; 0 (array unchanged) when
    // no snapshot can be taken.
    int takeSnapshot();
    // Executable file name of the process owning the window, or empty; fullPath (when
    // given) receives the executable's full path, empty where access is denied.
    QString executableOfWindow(WindowHandle window, QString* fullPath = nullptr);
    QString executableAt(int index, QString* fullPath = nullptr);

    // Current size of the record array (grows in steps of 20).
    int capacity() const { return static_cast<int>(records_.size()); }

private:
    const Record& record(int index) const { return records_.at(index); }
    void resize(int lastIndex);

    platform::Processes& processes_;
    std::function<std::uint32_t(WindowHandle)> windowProcessId_;
    QList<Record> records_;
};
