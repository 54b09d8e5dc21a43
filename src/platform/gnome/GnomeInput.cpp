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

GnomeInput::GnomeInput(ShellExtensionBus& shell, ButtonWatch& watch, Input& xwayland)
    : shell_(shell), watch_(watch), xwayland_(xwayland)
{
}

Input::Buttons GnomeInput::buttonsOf(std::uint32_t bits)
{
    return {(bits & ShellExtensionBus::Left) != 0, (bits & ShellExtensionBus::Right) != 0,
            (bits & ShellExtensionBus::Middle) != 0};
}

bool GnomeInput::deliverButtonEvents(ButtonHandler handler)
{
    QObject::connect(&shell_, &ShellExtensionBus::buttonEvent, &shell_,
                     [this, handler = std::move(handler)](const ShellExtensionBus::ButtonEdge& edge) {
                         const int button = edge.button == ShellExtensionBus::Left    ? LeftButton
                                            : edge.button == ShellExtensionBus::Right ? RightButton
                                                                                      : MiddleButton;
                         if (!edge.pressed)
                             watch_.releaseBegins();
                         handler({button, edge.pressed, edge.position, nowMs()});
                         if (!edge.pressed)
                             watch_.released();
                     });
    return true;
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
