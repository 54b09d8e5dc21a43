#include "Benches.h"
#include "Measure.h"
#include "capture/SelectionWatcher.h"
#include "core/PerApplicationSwitch.h"
#include "platform/api.h"

// One tmr1 tick in the steady state: a watched application in front with translation
// on, no button change. The watcher and the per-application switch are the program's
// own; only the popup actions are stand-ins (a tick without a button change never
// calls them).
double benchWatcherTick(platform::api& api, int ticks)
{
    AppState state;
    state.btnPrimary = api.screen().mouseButtonsSwapped() ? 2 : 1;
    state.btnSecondary = state.btnPrimary == 1 ? 2 : 1;
    PerApplicationSwitch appSwitch(state, api, [&api] { return api.windows().foregroundWindow(); },
                                   [&api](WindowHandle w) { return std::uint32_t(api.windows().windowProcessId(w)); });
    int requests = 0;
    SelectionWatcher watcher(state, api,
                             {[&] { return appSwitch.CheckForegroundApp(); }, [&] { return appSwitch.WatchActive; },
                              [] { return false; }, [] {},
                              [&](int, int, int) { return ++requests, false; }, [](int, int) {}, [] {}});
    // The first tick examines the application in front; from then on translation is on.
    watcher.tmr1_Timer();
    if (!appSwitch.WatchActive)
        return NotMeasured;
    state.TranslateEnabled = true;

    std::vector<double> samples;
    samples.reserve(ticks);
    for (int i = 0; i < ticks; ++i)
        samples.push_back(microsecondsOf([&] { watcher.tmr1_Timer(); }));
    return requests == 0 ? medianOf(samples) : NotMeasured;
}
