#include "platform/qt/DevicePixels.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace platform::qt {

namespace {

QRect deviceArea(const MonitorScale& monitor)
{
    return QRect(monitor.area.topLeft(), QSize(int(std::lround(monitor.area.width() * monitor.ratio)),
                                               int(std::lround(monitor.area.height() * monitor.ratio))));
}

int distance(const QRect& area, QPoint point)
{
    return std::max({area.left() - point.x(), 0, point.x() - area.right()}) +
           std::max({area.top() - point.y(), 0, point.y() - area.bottom()});
}

// The monitor whose area (as areaOf gives it) holds the point, or the nearest one.
template <typename AreaOf>
const MonitorScale* monitorAt(QPoint point, const QList<MonitorScale>& monitors, AreaOf areaOf)
{
    const MonitorScale* nearest = nullptr;
    int nearestDistance = 0;
    for (const MonitorScale& monitor : monitors) {
        const int d = distance(areaOf(monitor), point);
        if (!nearest || d < nearestDistance) {
            nearest = &monitor;
            nearestDistance = d;
        }
    }
    return nearest;
}

QPoint scaled(QPoint point, QPoint origin, double factor)
{
    const QPointF offset = QPointF(point - origin) * factor;
    return origin + QPoint(int(std::lround(offset.x())), int(std::lround(offset.y())));
}

} // namespace

QList<MonitorScale> currentMonitors()
{
    QList<MonitorScale> monitors;
    for (const QScreen* screen : QGuiApplication::screens())
        monitors.append({screen->geometry(), screen->devicePixelRatio()});
    return monitors;
}

QPoint toIndependent(QPoint device, const QList<MonitorScale>& monitors)
{
    const MonitorScale* monitor = monitorAt(device, monitors, deviceArea);
    if (!monitor || monitor->ratio <= 0)
        return device;
    return scaled(device, monitor->area.topLeft(), 1.0 / monitor->ratio);
}

QPoint toDevice(QPoint independent, const QList<MonitorScale>& monitors)
{
    const MonitorScale* monitor = monitorAt(independent, monitors, [](const MonitorScale& m) { return m.area; });
    if (!monitor)
        return independent;
    return scaled(independent, monitor->area.topLeft(), monitor->ratio);
}

QRect toIndependent(const QRect& device, const QList<MonitorScale>& monitors)
{
    // The exclusive bottom-right corner converts like any point.
    const QPoint topLeft = toIndependent(device.topLeft(), monitors);
    const QPoint end = toIndependent(device.topLeft() + QPoint(device.width(), device.height()), monitors);
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

} // namespace platform::qt
