#include "platform/linux/LinuxSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <csignal>
#include <unistd.h>

namespace platform::os {

LinuxSession::LinuxSession() = default;
LinuxSession::~LinuxSession() = default;

QString LinuxSession::lockPath(const QString& name)
{
    // A lock file per user in the runtime folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + "/" + name + "-" + QString::number(getuid()) + ".lock";
}

QString LinuxSession::channelPath(const QString& name)
{
    QString path = lockPath(name);
    path.chop(QStringLiteral("lock").size());
    return path + "socket";
}

bool LinuxSession::claimSingleInstance(const QString& name)
{
    // QLockFile recognises the lock of a process that ended without releasing it
    // (Exit terminates at once) as stale.
    auto lock = std::make_unique<QLockFile>(lockPath(name));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    instanceLock_ = std::move(lock);
    // Without the door the program still runs; only other starts' requests go unheard.
    if (!channel_.open(channelPath(name)))
        qWarning("qlr: other starts of the program cannot reach this one: %s", qUtf8Printable(channelPath(name)));
    return true;
}

bool LinuxSession::endRunningInstance(const QString& name)
{
    QLockFile lock(lockPath(name));
    lock.setStaleLockTime(0);
    if (lock.tryLock(0)) // nobody holds it
        return false;
    qint64 pid = 0;
    QString host, application;
    // The holder ends as on a session end: the end signals run its Exit.
    if (!lock.getLockInfo(&pid, &host, &application) || pid <= 0 || ::kill(pid_t(pid), SIGTERM) != 0)
        return false;
    return lock.tryLock(EndWaitMs);
}

bool LinuxSession::sendToRunningInstance(const QString& name, const QString& request)
{
    return InstanceChannel::send(channelPath(name), request);
}

QStringList LinuxSession::arguments()
{
    return QCoreApplication::arguments().mid(1);
}

QStringList LinuxSession::browserExecutables()
{
    // The names /proc reports for the browsers Debian and the vendors ship.
    return {"firefox-esr", "firefox", "chromium", "chrome", "google-chrome", "opera",
            "brave",       "vivaldi-bin", "epiphany", "falkon", "konqueror"};
}

void LinuxSession::terminateProcess(int exitCode)
{
    _exit(exitCode);
}

QStringList LinuxSession::desktopShellExecutables()
{
    return {"plasmashell", "gnome-shell", "xfdesktop", "xfce4-panel", "lxpanel", "lxqt-panel",
            "mate-panel", "budgie-panel", "cinnamon", "nemo-desktop", "trayer", "tint2"};
}

} // namespace platform::os
