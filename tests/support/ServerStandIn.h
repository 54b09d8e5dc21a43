#pragma once
// Stand-ins for the translation server's launcher: small shell scripts that note each
// start (its port) in "starts" and each SIGUSR1 and SIGUSR2 in "signals" beside themselves, fork a
// child as a pipeline would, and say "ready" (or fail as told).

#include <QFile>
#include <QString>

namespace standin {

// Starts, says ready and lives as long as its child.
inline const QString Staying = R"(#!/bin/sh
echo "$2" >> "$(dirname "$0")/starts"
trap 'echo released >> "$(dirname "$0")/signals"' USR1
trap 'echo warmed >> "$(dirname "$0")/signals"' USR2
sleep 600 &
echo $! > "$(dirname "$0")/child"
echo ready
while kill -0 $! 2>/dev/null; do wait $!; done
)";

// Says why on standard error, after some noise, and ends at once.
inline QString failing(const QString& line)
{
    return "#!/bin/sh\necho \"$2\" >> \"$(dirname \"$0\")/starts\"\necho 'Traceback: noise' >&2\necho '" + line +
           "' >&2\nexit 5\n";
}

// Writes the script as an executable file.
inline bool write(const QString& path, const QString& script)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(script.toUtf8()) <= 0)
        return false;
    file.close();
    return file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// The lines of one of the notes beside the script.
inline QStringList notes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)
                                          : QStringList();
}

} // namespace standin
