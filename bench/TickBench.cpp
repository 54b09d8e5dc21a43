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
    AppState state;
    state.primaryButton = platform.screen().mouseButtonsSwapped() ? 2 : 1;
    state.secondaryButton = state.primaryButton == 1 ? 2 : 1;
    PerApplicationSwitch appSwitch(state, platform, [&platform] { return platform.windows().foregroundWindow(); },
                                   [&platform](WindowHandle w) { return std::uint32_t(platform.windows().windowProcessId(w)); });
    int requests = 0;
    SelectionWatcher watcher(state, platform,
                             {[&] { return appSwitch.checkForegroundApplication(); }, [&] { return appSwitch.watchActive; },
                              [] { return false; }, [] {},
                              [&](int, int, int) { return ++requests, false; }, [](int, int) {}, [](std::uint32_t) {}});
    // The first tick examines the application in front; from then on translation is on.
    watcher.onWatchTick();
    if (!appSwitch.watchActive)
        return NotMeasured;
    state.translationEnabled = true;

    std::vector<double> samples;
    samples.reserve(ticks);
    for (int i = 0; i < ticks; ++i)
        samples.push_back(microsecondsOf([&] { watcher.onWatchTick(); }));
    return requests == 0 ? medianOf(samples) : NotMeasured;
}
