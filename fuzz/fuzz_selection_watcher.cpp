// The selection watcher driven by random button, pointer, time, setting and selection
// changes on the fake desktop, sampled by its tick or delivered as events, with
// requests answered at once or later. Invariants: no crash or undefined behaviour, no
// release starts more than one request, and a request answered "nothing captured"
// leaves no point for a click near it.
#include "FuzzText.h"
#include "capture/SelectionWatcher.h"
#include "platform/fake/FakePlatform.h"

#include <QList>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// The fake pointer, counting the releases of the primary button the watcher read.
class SampledInput : public platform::fake::FakeInput {
public:
    Qt::MouseButton primary = Qt::LeftButton;
    std::optional<bool> lastPrimary;
    int releases = 0;

    Qt::MouseButtons buttons() override
    {
        const Qt::MouseButtons held = FakeInput::buttons();
        const bool down = held.testFlag(primary);
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
    bool watched = true;
    bool overPopup = false;
    bool swapped = false;
    TriggerMode trigger = TriggerMode::ClickIcon;
    // The release each request was started for; a second request for it is a fault.
    int lastRequestedRelease = -1;
    struct Request {
        QPoint end;
        SelectionWatcher::Handled handled;
    };
    QList<Request> unanswered;
    std::optional<SelectionWatcher> watcher;

    explicit Run(FuzzedDataProvider& provider) : data(provider)
    {
        const int kind = data.ConsumeIntegralInRange<int>(0, 2);
        desktop.sampled.deliversEvents = desktop.fakeWindows.deliversForegroundChanges = kind == 1;
        desktop.fakeWindows.deliversForegroundChanges |= kind == 2;
        desktop.fakeWindows.deliversSelectionChanges = kind == 2;
        watcher.emplace(desktop, actions());
        configure();
        watcher->start();
    }

    void configure()
    {
        desktop.sampled.primary = swapped ? Qt::RightButton : Qt::LeftButton;
        watcher->configure(trigger, desktop.sampled.primary, swapped ? Qt::LeftButton : Qt::RightButton);
    }

    SelectionWatcher::Actions actions()
    {
        return {
            [this] { return watched; },
            [] {},
            [this] { return overPopup; },
            [] {},
            [this](int x, int y, int, SelectionWatcher::Handled handled) {
                if (watcher->isTicking()) {
                    FUZZ_CHECK(desktop.sampled.releases != lastRequestedRelease);
                    lastRequestedRelease = desktop.sampled.releases;
                }
                Request request{QPoint(x, y), std::move(handled)};
                if (data.ConsumeBool())
                    answer(request);
                else
                    unanswered.append(std::move(request));
            },
            [](int, int) {},
            [](std::uint32_t) {},
        };
    }

    void answer(const Request& request)
    {
        const bool captured = data.ConsumeBool();
        request.handled(captured);
        // A selection that made no request leaves no point for a click to open.
        if (!captured)
            FUZZ_CHECK(watcher->actionPoint() != request.end);
    }

    void press(Qt::MouseButton button)
    {
        auto& input = desktop.sampled;
        const bool down = !input.held.testFlag(button);
        input.setButton(button, down, std::uint32_t(desktop.fakeClock.now * 1000));
    }

    void step()
    {
        auto& input = desktop.sampled;
        switch (data.ConsumeIntegralInRange<int>(0, 10)) {
        case 0:
        case 1:
            press(Qt::LeftButton);
            break;
        case 2:
            press(data.ConsumeBool() ? Qt::RightButton : Qt::MiddleButton);
            break;
        case 3:
            input.cursor = QPoint(data.ConsumeIntegralInRange<int>(-100, 4000), data.ConsumeIntegralInRange<int>(-100, 3000));
            break;
        case 4:
            input.cursor += QPoint(data.ConsumeIntegralInRange<int>(-40, 40), data.ConsumeIntegralInRange<int>(-15, 15));
            break;
        case 5:
            desktop.fakeClock.advance(data.ConsumeIntegralInRange<int>(0, 1500));
            break;
        case 6: {
            const TriggerMode modes[] = {TriggerMode::ClickIcon, TriggerMode::ClickNearEnd, TriggerMode::JustSelect};
            trigger = data.PickValueInArray(modes);
            configure();
            break;
        }
        case 7:
            switch (data.ConsumeIntegralInRange<int>(0, 2)) {
            case 0: watched = !watched; break;
            case 1: overPopup = !overPopup; break;
            default:
                swapped = !swapped;
                configure();
                break;
            }
            break;
        case 8:
            if (desktop.fakeWindows.selectionHandler)
                desktop.fakeWindows.selectionHandler(data.ConsumeBool());
            break;
        case 9:
            if (!unanswered.isEmpty())
                answer(unanswered.takeAt(data.ConsumeIntegralInRange<int>(0, int(unanswered.size()) - 1)));
            break;
        default:
            desktop.fakeClock.advance(SelectionWatcher::TickMs);
            break;
        }
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
