#pragma once
// The program's eight timers. The application owns one set and arms it; each part
// connects to the timers it handles and switches on or off the ones its steps start
// and stop (the request, for example, starts the result poll and the time-out).

#include "common/Timer.h"

struct ProgramTimers {
    Timer selectionWatch;     // 50 ms: the selection watcher's tick, where no button events come
    Timer pageLoad;           // 500 ms while the service page loads
    Timer reconnect;          // reloads the page while it is not connected
    Timer resultPoll;         // 100 ms while a translation is awaited
    Timer translationTimeout; // gives up on an awaited translation
    Timer progressDots;       // 200 ms: the popup's waiting dots
    Timer iconRetire;         // fades out a floating icon nobody used
    Timer iconLeave;          // 50 ms: hides the icon when the pointer moves away
};
