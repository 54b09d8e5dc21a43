#pragma once
#include "platform/Windows.h"

namespace platform::x11 {

class X11Connection;
class X11Selections;

// Top-level windows and the copy request, answered from the PRIMARY selection (the
// text the user has just selected) when it belongs to the asked window's process.
class X11Windows : public Windows {
public:
    X11Windows(X11Connection& connection, X11Selections& selections);

    WindowHandle foregroundWindow() override;
    std::int64_t windowProcessId(WindowHandle window) override;
    std::optional<QRect> windowRect(WindowHandle window) override;
    QStringList windowClass(WindowHandle window) override;
    void notePrimaryButtonDown() override;
    std::optional<QString> copyMessage(WindowHandle window) override;

private:
    WindowHandle activeWindowProperty();
    WindowHandle focusTopLevel();

    X11Connection& connection_;
    X11Selections& selections_;
    std::uint64_t primaryChangesAtPress_ = 0;
};

} // namespace platform::x11
