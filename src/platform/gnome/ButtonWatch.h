#pragma once

namespace platform::gnome {

class ShellExtensionBus;

// When the extension reports the buttons. Each report costs the Shell a little on every
// input event, so it reports only while the program cares: from a change of the
// selection (a selection may be finishing) or a capture (its popup, icon or mode-1 click
// may follow) until a release after which none of the program's windows is shown.
class ButtonWatch {
public:
    explicit ButtonWatch(ShellExtensionBus& shell) : shell_(shell) {}

    // The selection changed: reports from now on.
    void watch();
    // A selection was captured: reports at least until after the next release.
    void watchPastNextRelease();
    // A release was handled: reports end unless something of the program's is shown.
    void released();

private:
    static bool programWindowShown();

    ShellExtensionBus& shell_;
    bool pastNextRelease_ = false;
};

} // namespace platform::gnome
