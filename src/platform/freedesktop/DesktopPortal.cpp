#include "platform/freedesktop/DesktopPortal.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QFile>
#include <QUrl>
#include <QVariantMap>

#include <fcntl.h>
#include <unistd.h>

namespace platform::freedesktop {

namespace {

constexpr int ReplyTimeoutMs = 3000;

QDBusMessage portalCall(const QString& method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
                                          QStringLiteral("/org/freedesktop/portal/desktop"),
                                          QStringLiteral("org.freedesktop.portal.OpenURI"), method);
}

} // namespace

bool askWhichProgramOpens(const QString& target, unsigned long parentX11Window)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const QString parent = parentX11Window ? QStringLiteral("x11:%1").arg(parentX11Window, 0, 16) : QString();
    // "ask" makes the portal show its chooser even where a default program exists.
    const QVariantMap options{{QStringLiteral("ask"), true}};
    const QUrl url(target, QUrl::TolerantMode);
    const bool local = url.isLocalFile() || url.scheme().size() < 2;
    QDBusMessage call;
    if (local) {
        // Local files travel as an open descriptor, which the portal may read
        // whatever sandbox it or the chosen program runs in.
        const QString path = url.isLocalFile() ? url.toLocalFile() : target;
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        call = portalCall(QStringLiteral("OpenFile"));
        call << parent << QVariant::fromValue(QDBusUnixFileDescriptor(fd)) << options;
        ::close(fd); // the descriptor object holds its own duplicate
    } else {
        call = portalCall(QStringLiteral("OpenURI"));
        call << parent << QString::fromUtf8(url.toEncoded()) << options;
    }
    return bus.call(call, QDBus::Block, ReplyTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

} // namespace platform::freedesktop
