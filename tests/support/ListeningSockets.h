#pragma once
// Which TCP addresses processes listen on, read from /proc the way ss reads them:
// the sockets in the LISTEN state of /proc/net/tcp and tcp6 whose inodes a process
// holds open.

#include <QHostAddress>
#include <QList>
#include <sys/types.h>

struct ListeningSocket {
    QHostAddress address;
    int port = 0;
    pid_t pid = 0;
};

namespace listening {
// The process and all its descendants.
QList<pid_t> processTree(pid_t root);
// What these processes listen on.
QList<ListeningSocket> socketsOf(const QList<pid_t>& pids);
// The process listening on this port of 127.0.0.1, or 0.
pid_t ownerOfPort(int port);
} // namespace listening
