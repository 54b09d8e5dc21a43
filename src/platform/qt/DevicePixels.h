#pragma once
// The display server counts device pixels; Qt places windows in device-independent
// pixels, which differ on scaled screens (QT_SCALE_FACTOR, per-monitor factors, the
// Xft DPI). Desktop back ends convert here, so that the rest of the program sees
// Qt's pixels only. Each monitor keeps its top-left corner in both systems and scales
// what lies within it.

#include <QList>
#include <QPoint>
#include <QRect>

namespace platform::qt {

struct MonitorScale {
    QRect area;         // in device-independent pixels
    double ratio = 1.0; // device pixels per device-independent pixel
};

// The application's monitors as Qt lays them out now.
QList<MonitorScale> currentMonitors();

// A point outside every monitor is converted with the nearest one.
QPoint toIndependent(QPoint device, const QList<MonitorScale>& monitors);
QPoint toDevice(QPoint independent, const QList<MonitorScale>& monitors);
// Each corner with the monitor it lies on.
QRect toIndependent(const QRect& device, const QList<MonitorScale>& monitors);

inline QPoint toIndependent(QPoint device) { return toIndependent(device, currentMonitors()); }
inline QRect toIndependent(const QRect& device) { return toIndependent(device, currentMonitors()); }
inline QPoint toDevice(QPoint independent) { return toDevice(independent, currentMonitors()); }

} // namespace platform::qt
