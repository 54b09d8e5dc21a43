#pragma once
// Desktop notifications (org.freedesktop.Notifications on the session bus), which
// every common desktop shows, with or without a notification area.

#include <QString>

namespace platform::freedesktop {

// Shows a notification; false when no notification service answered in time.
bool showNotification(const QString& appName, const QString& summary, const QString& body);

} // namespace platform::freedesktop
