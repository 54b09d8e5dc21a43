#pragma once
#include "platform/Input.h"
#include "platform/gnome/ButtonWatch.h"
#include "platform/gnome/ShellExtensionBus.h"

namespace platform::gnome {

// The pointer and the buttons as the Shell sees them, over any window: asked of the
// extension when wanted, and each press and release reported by it as it comes while
// the watch is on.
class GnomeInput : public Input {
public:
    // xwayland: answers while the extension does not.
    GnomeInput(ShellExtensionBus& shell, ButtonWatch& watch, Input& xwayland);

    bool deliverButtonEvents(ButtonHandler handler) override;
    Qt::MouseButtons buttons() override;
    QPoint cursorPos() override;
    bool isShiftDown() override;

    // The extension's button bits as the program names the buttons.
    static Qt::MouseButtons buttonsOf(std::uint32_t bits);

private:
    ShellExtensionBus& shell_;
    ButtonWatch& watch_;
    Input& xwayland_;
};

} // namespace platform::gnome
