#include "platform/gnome/GnomeInput.h"

#include <chrono>

namespace platform::gnome {
namespace {

// Event times on a monotonic millisecond clock (it wraps, as event clocks do).
std::uint32_t nowMs()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

GnomeInput::GnomeInput(ShellExtensionBus& shell, Input& xwayland) : shell_(shell), xwayland_(xwayland) {}

Input::Buttons GnomeInput::buttonsOf(std::uint32_t bits)
{
    return {(bits & ShellExtensionBus::Left) != 0, (bits & ShellExtensionBus::Right) != 0,
            (bits & ShellExtensionBus::Middle) != 0};
}

bool GnomeInput::deliverButtonEvents(ButtonHandler handler)
{
    handler_ = std::move(handler);
    held_ = buttons();
    QObject::connect(&shell_, &ShellExtensionBus::buttonsChanged, &shell_,
                     [this](const ShellExtensionBus::Pointer& now) { onButtonsChanged(now); });
    shell_.watchButtons();
    return true;
}

void GnomeInput::onButtonsChanged(const ShellExtensionBus::Pointer& now)
{
    const Buttons before = held_, after = buttonsOf(now.buttons);
    // Recorded before the handler runs: it may let the event loop run.
    held_ = after;
    const std::uint32_t time = nowMs();
    for (const int button : {LeftButton, RightButton, MiddleButton})
        if (after.isDown(button) != before.isDown(button))
            handler_({button, after.isDown(button), now.position, time});
}

Input::Buttons GnomeInput::buttons()
{
    const auto pointer = shell_.pointer();
    return pointer ? buttonsOf(pointer->buttons) : Buttons{};
}

QPoint GnomeInput::cursorPos()
{
    const auto pointer = shell_.pointer();
    return pointer ? pointer->position : xwayland_.cursorPos();
}

bool GnomeInput::isShiftDown()
{
    const auto pointer = shell_.pointer();
    return pointer ? (pointer->buttons & ShellExtensionBus::Shift) != 0 : xwayland_.isShiftDown();
}

} // namespace platform::gnome
