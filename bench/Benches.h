#pragma once
// The in-process benchmarks; each returns its median in microseconds, or NotMeasured.
#include <QString>

namespace platform {
class Platform;
}

double benchWatcherTick(platform::Platform& platform, int ticks);
// Captures a fresh selection of the foreground terminal (X window id terminalWindow,
// showing "quillora benchmark selection" on its first line) this many times.
double benchCapture(platform::Platform& platform, int captures, const QString& terminalWindow);

// Reference processes for the idle and memory figures; each runs until it is killed.
int runTimerFloor();
int runPageFloor(const QString& url, int discardAfterSeconds = 0);
