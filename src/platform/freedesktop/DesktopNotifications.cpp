#include "platform/freedesktop/DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace platform::freedesktop {

namespace {
// A notification service answers at once; a bus without one answers "unknown" at once.
constexpr int ReplyTimeoutMs = 2000;
} // namespace

std::optional<std::uint32_t> showNotification(const QString& appName, const QString& summary, const QString& body,
                                              const QStringList& actions)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return std::nullopt;
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                                       QStringLiteral("/org/freedesktop/Notifications"),
                                                       QStringLiteral("org.freedesktop.Notifications"),
                                                       QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout
    // (-1: as the server sees fit).
    call << appName << 0u << QString() << summary << body << actions << QVariantMap() << -1;
    const QDBusMessage reply = bus.call(call, QDBus::Block, ReplyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return reply.arguments().constFirst().toUInt();
}

} // namespace platform::freedesktop
