#pragma once
// Keeping the popup on the monitor at its right and bottom edges. All values in
// pixels. The left and top edges are not corrected.

#include <QRect>

struct EdgePlacement {
    int left = 0;
    int top = 0;
    // The popup was raised to end at the bottom edge; the icon moves above it.
    bool raised = false;
};

// monitor: the monitor under the pointer. offMonitors: the popup's left top corner lies
// on no monitor at all, so it is pulled back even when it starts right of this one.
// Otherwise a popup that starts right of the monitor's right edge is left alone (it
// lies on a neighbouring monitor).
EdgePlacement correctAtMonitorEdges(int left, int top, int W, int H, const QRect& monitor, bool offMonitors);
