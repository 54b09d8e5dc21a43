#pragma once
// The memory this process and its browser engine helper processes hold, and how many
// helpers there are: what a long run must not let grow.

#include <QString>

namespace platform {
class Processes;
}

struct BrowserFootprint {
    // Resident sizes. Unlike proportional sizes they do not move when other programs
    // that share the same libraries (other browser engines on the machine) start or end.
    double ownRssMb = 0;
    double helpersRssMb = 0;
    // Proportional set size of this process and the helpers together, for the log.
    double pssMb = 0;
    int helpers = 0;

    double totalMb() const { return ownRssMb + helpersRssMb; }
    QString describe() const;
};

// Measures now. The helpers are the descendants of this process that run the browser
// engine's helper executable (a translation server this process started is not one).
BrowserFootprint measureBrowserFootprint(platform::Processes& processes);
