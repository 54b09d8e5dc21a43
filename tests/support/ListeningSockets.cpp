#include "ListeningSockets.h"

#include "DesktopDriver.h"

#include <QHash>
#include <QRegularExpression>

namespace listening {

QList<ListeningSocket> sockets()
{
    // "LISTEN 0 128 127.0.0.1:2738 0.0.0.0:* users:(("python3",pid=42,fd=3))"
    static const QRegularExpression pid(QStringLiteral(R"(pid=(\d+))"));
    QList<ListeningSocket> found;
    for (const QString& line : QString::fromUtf8(DesktopDriver::run("ss", {"-ltnpH"})).split('\n')) {
        const QString local = line.simplified().section(' ', 3, 3);
        const qsizetype colon = local.lastIndexOf(':');
        const QHostAddress address(local.left(colon).remove('[').remove(']'));
        for (const QRegularExpressionMatch& holder : pid.globalMatch(line))
            found.append({address, local.mid(colon + 1).toInt(), pid_t(holder.captured(1).toInt())});
    }
    return found;
}

QList<ListeningSocket> socketsOf(const QList<pid_t>& pids)
{
    QList<ListeningSocket> held;
    for (const ListeningSocket& socket : sockets())
        if (pids.contains(socket.pid))
            held.append(socket);
    return held;
}

pid_t ownerOfPort(int port)
{
    for (const ListeningSocket& socket : sockets())
        if (socket.port == port && socket.address == QHostAddress(QHostAddress::LocalHost))
            return socket.pid;
    return 0;
}

QList<pid_t> processTree(pid_t root)
{
    QMultiHash<pid_t, pid_t> children;
    for (const QString& line : QString::fromUtf8(DesktopDriver::run("ps", {"-e", "-o", "pid=,ppid="})).split('\n'))
        if (const QStringList ids = line.simplified().split(' '); ids.size() == 2)
            children.insert(pid_t(ids.at(1).toInt()), pid_t(ids.at(0).toInt()));
    QList<pid_t> tree{root};
    for (qsizetype i = 0; i < tree.size(); ++i)
        tree.append(children.values(tree.at(i)));
    return tree;
}

} // namespace listening
