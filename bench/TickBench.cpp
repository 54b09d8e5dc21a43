#include "Benches.h"
#include "Measure.h"
#include "capture/SelectionWatcher.h"
#include "core/PerApplicationSwitch.h"
#include "platform/Platform.h"

// One selectionWatch tick in the steady state: a watched application in front with translation
// on, no button change. The watcher and the per-application switch are the program's
// own; only the popup actions are stand-ins (a tick without a button change never
// calls them).
double benchWatcherTick(platform::Platform& platform, int ticks)
{
    PerApplicationSwitch appSwitch(platform);
    int requests = 0;
    SelectionWatcher watcher(platform, {[&] { return appSwitch.checkForegroundApplication() && appSwitch.watchActive(); },
                                        [] {}, [] { return false; }, [] {},
                                        [&](int, int, int, SelectionWatcher::Handled) { ++requests; },
                                        [](int, int) {}, [](std::uint32_t) {}});
    const bool swapped = platform.screen().mouseButtonsSwapped();
    watcher.configure(TriggerMode::ClickIcon, swapped ? Qt::RightButton : Qt::LeftButton,
                      swapped ? Qt::LeftButton : Qt::RightButton);
    // The first tick examines the application in front.
    watcher.onWatchTick();
    if (!appSwitch.watchActive())
        return NotMeasured;

    std::vector<double> samples;
    samples.reserve(ticks);
    for (int i = 0; i < ticks; ++i)
        samples.push_back(microsecondsOf([&] { watcher.onWatchTick(); }));
    return requests == 0 ? medianOf(samples) : NotMeasured;
}
