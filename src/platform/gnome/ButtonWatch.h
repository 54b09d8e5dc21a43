#pragma once
#include <QTimer>

namespace platform::gnome {

class ShellExtensionBus;

// When the extension reports the buttons. Each report costs the Shell a little on every
// input event, so it reports only while the program cares: from a change of the
// selection (a selection may be finishing) or a capture (its popup, icon or mode-1 click
// may follow) until a release after which none of the program's windows is shown.
class ButtonWatch {
public:
    // How long after a release the program's windows are looked at: a popup closed by
    // the press fades out first.
    static constexpr int AfterReleaseMs = 1000;

    explicit ButtonWatch(ShellExtensionBus& shell);

    // The selection changed: reports from now on.
    void watch();
    // A selection was captured: reports from now on; when that happens while a release
    // is handled, at least until the next release (the popup or the icon may follow).
    void captured();
    // Around the handling of a release: reports end soon after it unless something of
    // the program's is shown (or a capture during it asked for more).
    void releaseBegins() { inRelease_ = true; }
    void released();

private:
    static bool programWindowShown();

    ShellExtensionBus& shell_;
    QTimer afterRelease_;
    bool inRelease_ = false;
    bool pastNextRelease_ = false;
};

} // namespace platform::gnome
