#pragma once
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

namespace platform {

// One running process as a snapshot reports it.
struct ProcessRecord {
    std::uint32_t pid = 0;
    std::uint32_t parentPid = 0;
    std::uint32_t threads = 0;
    std::int32_t priority = 0;
    // File name of the executable, without folder.
    QString exeFile;
};

// The running processes of the system.
class Processes {
public:
    virtual ~Processes() = default;

    // Every process now running; nothing when no snapshot can be taken.
    virtual std::optional<QList<ProcessRecord>> snapshot() = 0;
    // Full path of the process's executable; empty when access is denied or the
    // process has ended.
    virtual QString executablePath(std::uint32_t pid) = 0;
};

} // namespace platform
