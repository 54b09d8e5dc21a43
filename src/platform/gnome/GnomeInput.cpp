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

Qt::MouseButtons GnomeInput::buttonsOf(std::uint32_t bits)
{
    Qt::MouseButtons held;
    held.setFlag(Qt::LeftButton, (bits & ShellExtensionBus::Left) != 0);
    held.setFlag(Qt::RightButton, (bits & ShellExtensionBus::Right) != 0);
    held.setFlag(Qt::MiddleButton, (bits & ShellExtensionBus::Middle) != 0);
    return held;
}

bool GnomeInput::deliverButtonEvents(ButtonHandler handler)
{
    QObject::connect(&shell_, &ShellExtensionBus::buttonEvent, &shell_,
                     [this, handler = std::move(handler)](const ShellExtensionBus::ButtonEdge& edge) {
                         const Qt::MouseButton button = edge.button == ShellExtensionBus::Left    ? Qt::LeftButton
                                                        : edge.button == ShellExtensionBus::Right ? Qt::RightButton
                                                                                                  : Qt::MiddleButton;
                         if (!edge.pressed)
                             watch_.releaseBegins();
                         handler({button, edge.pressed, edge.position, nowMs()});
                         if (!edge.pressed)
                             watch_.released();
                     });
    return true;
}

Qt::MouseButtons GnomeInput::buttons()
{
    const auto pointer = shell_.pointer();
    return pointer ? buttonsOf(pointer->buttons) : Qt::MouseButtons{};
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
