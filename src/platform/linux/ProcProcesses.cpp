#include "platform/linux/ProcProcesses.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace platform::os {
namespace {

QByteArray readSmallFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(64 * 1024);
}

QString withoutDeletedMark(QString target)
{
    // A replaced executable reads as "/usr/bin/x (deleted)".
    const QString mark = " (deleted)";
    if (target.endsWith(mark))
        target.chop(mark.size());
    return target;
}

} // namespace

std::optional<ProcessRecord> ProcProcesses::parseStat(const QByteArray& stat, const QString& exeFile)
{
    // "pid (comm) state ppid ..." — comm may hold blanks and parentheses, so the
    // fields after it start behind the last ")".
    const qsizetype open = stat.indexOf('(');
    const qsizetype close = stat.lastIndexOf(')');
    if (open <= 0 || close < open)
        return std::nullopt;
    bool ok = false;
    ProcessRecord record;
    record.pid = stat.left(open).trimmed().toUInt(&ok);
    if (!ok)
        return std::nullopt;
    const QList<QByteArray> fields = stat.mid(close + 1).simplified().split(' ');
    // fields[0] is the state; ppid is fields[1], priority fields[15], threads fields[17].
    if (fields.size() < 18)
        return std::nullopt;
    record.parentPid = fields[1].toUInt();
    record.priority = fields[15].toInt();
    record.threads = fields[17].toUInt();
    record.exeFile = exeFile.isEmpty() ? QString::fromUtf8(stat.mid(open + 1, close - open - 1)) : exeFile;
    return record;
}

QString ProcProcesses::exeFileOf(std::uint32_t pid, const QString& comm)
{
    const QString path = executablePath(pid);
    if (!path.isEmpty())
        return QFileInfo(path).fileName();
    // Without access to the executable link, argv[0] still names the program in
    // full, where the kernel's command name is cut to 15 characters.
    const QByteArray cmdline = readSmallFile(procRoot_ + "/" + QString::number(pid) + "/cmdline");
    const QByteArray argv0 = cmdline.left(cmdline.indexOf('\0'));
    if (!argv0.isEmpty())
        return QFileInfo(QString::fromLocal8Bit(argv0)).fileName();
    return comm;
}

std::optional<QList<ProcessRecord>> ProcProcesses::snapshot()
{
    QDir proc(procRoot_);
    if (!proc.exists())
        return std::nullopt;
    QList<ProcessRecord> records;
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const std::uint32_t pid = entry.toUInt(&numeric);
        if (!numeric)
            continue;
        const QByteArray stat = readSmallFile(procRoot_ + "/" + entry + "/stat");
        if (stat.isEmpty())
            continue; // ended meanwhile
        auto record = parseStat(stat, QString());
        if (!record)
            continue;
        record->exeFile = exeFileOf(pid, record->exeFile);
        records.append(*record);
    }
    return records;
}

QString ProcProcesses::executablePath(std::uint32_t pid)
{
    const QString link = procRoot_ + "/" + QString::number(pid) + "/exe";
    return withoutDeletedMark(QFile::symLinkTarget(link));
}

void ProcProcesses::startAsGroup(QProcess& child)
{
    child.setChildProcessModifier([] {
        ::setsid();
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    });
}

void ProcProcesses::send(qint64 pid, Signal signal, bool wholeGroup)
{
    if (pid <= 0)
        return;
    const int number = signal == Signal::End    ? SIGTERM
                       : signal == Signal::Kill ? SIGKILL
                       : signal == Signal::User1 ? SIGUSR1
                                                 : SIGUSR2;
    // The group exists once the child has made it; sent before, a signal reaches the child alone.
    if (wholeGroup)
        ::kill(-pid_t(pid), number);
    ::kill(pid_t(pid), number);
}

} // namespace platform::os
