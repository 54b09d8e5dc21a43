#pragma once
#include "platform/Processes.h"

namespace platform::os {

// Processes read from /proc.
class ProcProcesses : public Processes {
public:
    explicit ProcProcesses(QString procRoot = "/proc") : procRoot_(std::move(procRoot)) {}

    std::optional<QList<ProcessRecord>> snapshot() override;
    QString executablePath(std::uint32_t pid) override;
    void startAsGroup(QProcess& child) override;
    void send(qint64 pid, Signal signal, bool wholeGroup) override;

    // One record from the text of /proc/PID/stat and the executable's name; nothing
    // when the text is not a stat line.
    static std::optional<ProcessRecord> parseStat(const QByteArray& stat, const QString& exeFile);

private:
    QString exeFileOf(std::uint32_t pid, const QString& comm);
    QString procRoot_;
};

} // namespace platform::os
