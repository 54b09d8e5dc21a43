#pragma once
// The memory this process and its browser engine helper processes hold, and how many
// helpers there are: what a long run must not let grow.
#include "platform/Processes.h"

#include <QString>

struct BrowserFootprint {
    // Resident sizes: unlike proportional ones they do not move when other programs
    // that share the same libraries start or end.
    double ownRssMb = 0;
    double helpersRssMb = 0;
    int helpers = 0;

    double totalMb() const { return ownRssMb + helpersRssMb; }
    QString describe() const
    {
        return QString("RSS %1 MB (this process %2 MB, %3 helpers %4 MB)")
            .arg(totalMb(), 0, 'f', 1)
            .arg(ownRssMb, 0, 'f', 1)
            .arg(helpers)
            .arg(helpersRssMb, 0, 'f', 1);
    }

    // Measures now. The helpers are the descendants of this process that run the
    // browser engine's helper executable.
    static BrowserFootprint measure(platform::Processes& processes);
};
