#pragma once
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

class QProcess;

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

// The running processes of the system, and the program's own children.
class Processes {
public:
    // What can be sent to a child the program started.
    enum class Signal { End, Kill, User1, User2 };

    virtual ~Processes() = default;

    // Every process now running; nothing when no snapshot can be taken.
    virtual std::optional<QList<ProcessRecord>> snapshot() = 0;
    // Full path of the process's executable; empty when access is denied or the
    // process has ended.
    virtual QString executablePath(std::uint32_t pid) = 0;

    // Makes the child, once started, a process group of its own (one signal then
    // reaches everything it starts) that ends when the program does, however it ends.
    virtual void startAsGroup(QProcess& child) = 0;
    // Sends the signal to the child, and with wholeGroup to its group as well.
    virtual void send(qint64 pid, Signal signal, bool wholeGroup) = 0;
};

} // namespace platform
