#pragma once
// Which TCP addresses processes listen on, as ss (iproute2) shows them, and which
// processes descend from one.

#include <QHostAddress>
#include <QList>
#include <sys/types.h>

struct ListeningSocket {
    QHostAddress address; // null for a wildcard ss shows as "*"
    int port = 0;
    pid_t pid = 0;
};

namespace listening {
// Every listening socket of this machine with each process that holds it.
QList<ListeningSocket> sockets();
// Those these processes hold.
QList<ListeningSocket> socketsOf(const QList<pid_t>& pids);
// The process listening on this port of 127.0.0.1, or 0.
pid_t ownerOfPort(int port);
// The process and all its descendants.
QList<pid_t> processTree(pid_t root);
} // namespace listening
