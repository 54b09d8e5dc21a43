#include "platform/linux/InstanceChannel.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace platform::os {
namespace {
constexpr int ConnectWaitMs = 1000;
// The instance answers from its event loop, which a page load may hold up a little.
constexpr int AnswerWaitMs = 5000;
} // namespace

InstanceChannel::InstanceChannel() = default;
InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::open(const QString& path)
{
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(path);
    connect(server_.get(), &QLocalServer::newConnection, this, &InstanceChannel::onConnection);
    return server_->listen(path);
}

void InstanceChannel::onConnection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine() && socket->bytesAvailable() <= LongestRequest)
                return;
            const QByteArray line = socket->readLine(LongestRequest + 1);
            const bool taken = line.endsWith('\n') && handler_ && handler_(QString::fromUtf8(line.trimmed()));
            socket->write(taken ? "taken\n" : "refused\n");
            socket->disconnectFromServer();
        });
    }
}

bool InstanceChannel::send(const QString& path, const QString& request)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(ConnectWaitMs))
        return false;
    socket.write(request.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(ConnectWaitMs))
        return false;
    while (!socket.canReadLine() && socket.waitForReadyRead(AnswerWaitMs)) {
    }
    return socket.readLine(16).trimmed() == "taken";
}

} // namespace platform::os
