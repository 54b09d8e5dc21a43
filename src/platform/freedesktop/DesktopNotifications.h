#pragma once
// Desktop notifications (org.freedesktop.Notifications on the session bus), which
// every common desktop shows, with or without a notification area.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace platform::freedesktop {

// Shows a notification, with buttons where actions lists pairs of key and label (the
// service's ActionInvoked signal tells the key of the one clicked). Its id; nothing when
// no notification service answered in time.
std::optional<std::uint32_t> showNotification(const QString& appName, const QString& summary, const QString& body,
                                              const QStringList& actions = {});

} // namespace platform::freedesktop
