// The selection watcher driven by random button, pointer, time and setting changes on
// the fake desktop, with ticks that run again while a request waits (as the real
// capture lets pending timer events run). Invariants: no crash or undefined behaviour,
// after every tick primaryWasDown is the primary button as last sampled, and no
// release starts more than one request.
#include "FuzzText.h"
#include "capture/SelectionWatcher.h"
#include "platform/fake/FakePlatform.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// The fake pointer, remembering what the watcher read of the primary button.
class SampledInput : public platform::fake::FakeInput {
public:
    int primaryVk = LeftButton;
    std::optional<bool> lastPrimary;
    int releases = 0;

    Buttons buttons() override
    {
        const Buttons held = FakeInput::buttons();
        const bool down = held.isDown(primaryVk);
        if (lastPrimary == true && !down)
            ++releases;
        lastPrimary = down;
        return held;
    }
};

class SampledDesktop : public platform::fake::FakePlatform {
public:
    SampledInput sampled;
    platform::Input& input() override { return sampled; }
};

struct Run {
    FuzzedDataProvider& data;
    SampledDesktop desktop;
    AppState state;
    bool foregroundOk = true;
    bool watched = true;
    bool overPopup = false;
    int depth = 0;
    // The release each request was started for; a second request for it is a fault.
    int lastRequestedRelease = -1;
    std::optional<SelectionWatcher> watcher;

    explicit Run(FuzzedDataProvider& provider) : data(provider)
    {
        state.translationEnabled = true;
        setButtons(data.ConsumeBool());
        watcher.emplace(state, desktop, actions());
    }

    void setButtons(bool swapped)
    {
        state.primaryButton = swapped ? 2 : 1;
        state.secondaryButton = swapped ? 1 : 2;
        desktop.sampled.primaryVk = swapped ? platform::Input::RightButton : platform::Input::LeftButton;
    }

    SelectionWatcher::Actions actions()
    {
        return {
            [this] { return foregroundOk; },
            [this] { return watched; },
            [this] { return overPopup; },
            [] {},
            [this](int, int, int) {
                FUZZ_CHECK(desktop.sampled.releases != lastRequestedRelease);
                lastRequestedRelease = desktop.sampled.releases;
                // The capture lets pending events run: sometimes more ticks come in.
                if (depth < 3 && data.ConsumeBool())
                    steps(data.ConsumeIntegralInRange<int>(1, 8));
                return data.ConsumeBool();
            },
            [](int, int) {},
            [](std::uint32_t) {},
        };
    }

    void tick()
    {
        ++depth;
        watcher->onWatchTick();
        --depth;
        if (desktop.sampled.lastPrimary)
            FUZZ_CHECK(watcher->primaryWasDown == *desktop.sampled.lastPrimary);
    }

    void toggle(QSet<int>& buttons, int vk)
    {
        if (!buttons.remove(vk))
            buttons.insert(vk);
    }

    void step()
    {
        auto& input = desktop.sampled;
        switch (data.ConsumeIntegralInRange<int>(0, 9)) {
        case 0:
        case 1:
            toggle(input.buttonsDown, platform::Input::LeftButton);
            break;
        case 2:
            toggle(input.buttonsDown, data.ConsumeBool() ? platform::Input::RightButton : platform::Input::MiddleButton);
            break;
        case 3:
            input.cursor = QPoint(data.ConsumeIntegralInRange<int>(-100, 4000), data.ConsumeIntegralInRange<int>(-100, 3000));
            break;
        case 4:
            input.cursor += QPoint(data.ConsumeIntegralInRange<int>(-40, 40), data.ConsumeIntegralInRange<int>(-15, 15));
            break;
        case 5:
            desktop.fakeClock.now += data.ConsumeIntegralInRange<int>(0, 2000) / 1000.0;
            break;
        case 6: {
            const char* const modes[] = {"1", "2", "3", "", "x", "3.0", "-1"};
            state.settings.set("ControlMode", data.PickValueInArray(modes));
            break;
        }
        case 7:
            switch (data.ConsumeIntegralInRange<int>(0, 4)) {
            case 0: foregroundOk = !foregroundOk; break;
            case 1: watched = !watched; break;
            case 2: overPopup = !overPopup; break;
            case 3: state.translationEnabled = !state.translationEnabled; break;
            default: setButtons(state.primaryButton == 1); break;
            }
            break;
        default:
            tick();
            break;
        }
    }

    void steps(int count)
    {
        for (int i = 0; i < count && data.remaining_bytes() > 0; ++i)
            step();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    Run run(provider);
    while (provider.remaining_bytes() > 0)
        run.step();
    return 0;
}
