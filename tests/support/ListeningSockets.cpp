#include "ListeningSockets.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QtEndian>
#include <unistd.h>

namespace {

constexpr char ListenState[] = "0A";

// The hexadecimal address of /proc/net/tcp*: the address's 32-bit words, each
// printed as a number in the machine's own byte order.
QHostAddress parseAddress(const QByteArray& hex)
{
    QByteArray bytes;
    for (qsizetype word = 0; word + 8 <= hex.size(); word += 8) {
        const quint32 value = hex.mid(word, 8).toUInt(nullptr, 16);
        bytes.append(reinterpret_cast<const char*>(&value), 4);
    }
    if (bytes.size() == 4)
        return QHostAddress(qFromBigEndian<quint32>(bytes.constData()));
    if (bytes.size() == 16)
        return QHostAddress(reinterpret_cast<const quint8*>(bytes.constData()));
    return {};
}

// Listening sockets by inode: address and port.
QHash<QByteArray, ListeningSocket> listeningByInode()
{
    QHash<QByteArray, ListeningSocket> sockets;
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile file(table);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (const QByteArray& line : lines.mid(1)) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() < 10 || fields.at(3) != ListenState)
                continue;
            const QList<QByteArray> local = fields.at(1).split(':');
            sockets.insert(fields.at(9), {parseAddress(local.value(0)), int(local.value(1).toUInt(nullptr, 16)), 0});
        }
    }
    return sockets;
}

pid_t parentOf(const QString& pid)
{
    QFile stat("/proc/" + pid + "/stat");
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // The parent follows the command name, which may hold blanks and parentheses.
    return pid_t(text.mid(text.lastIndexOf(')') + 2).split(' ').value(1).toInt());
}

} // namespace

namespace listening {

QList<pid_t> processTree(pid_t root)
{
    QHash<pid_t, pid_t> parents;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs))
        if (const int pid = entry.toInt())
            parents.insert(pid, parentOf(entry));
    QList<pid_t> tree{root};
    for (qsizetype i = 0; i < tree.size(); ++i)
        for (auto it = parents.cbegin(); it != parents.cend(); ++it)
            if (it.value() == tree.at(i))
                tree.append(it.key());
    return tree;
}

QList<ListeningSocket> socketsOf(const QList<pid_t>& pids)
{
    const QHash<QByteArray, ListeningSocket> listening = listeningByInode();
    QList<ListeningSocket> found;
    for (const pid_t pid : pids) {
        const QString fds = QString("/proc/%1/fd").arg(pid);
        for (const QString& fd : QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            char target[64] = {};
            const ssize_t length = ::readlink(QFile::encodeName(fds + "/" + fd).constData(), target, sizeof target - 1);
            const QByteArray link(target, length > 0 ? length : 0);
            if (!link.startsWith("socket:["))
                continue;
            const auto socket = listening.find(link.mid(8).chopped(1));
            if (socket != listening.end())
                found.append({socket->address, socket->port, pid});
        }
    }
    return found;
}

pid_t ownerOfPort(int port)
{
    QList<pid_t> all;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs))
        if (const int pid = entry.toInt())
            all.append(pid);
    for (const ListeningSocket& socket : socketsOf(all))
        if (socket.port == port && socket.address == QHostAddress(QHostAddress::LocalHost))
            return socket.pid;
    return 0;
}

} // namespace listening
