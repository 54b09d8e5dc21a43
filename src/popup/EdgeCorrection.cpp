#include "popup/EdgeCorrection.h"

EdgePlacement correctAtMonitorEdges(int left, int top, int W, int H, const QRect& monitor, bool offMonitors)
{
    EdgePlacement placed{left, top, false};
    const int right = monitor.x() + monitor.width();
    const int bottom = monitor.y() + monitor.height();
    if (right > left || offMonitors) {
        if (right < W + left)
            placed.left = right - W;
        if (bottom < H + top) {
            placed.top = bottom - H;
            placed.raised = true;
        }
    }
    return placed;
}
