#pragma once
// Copying the selection out of the foreground application.
//
// The application's own fresh selection answers first, without the clipboard. Only
// the copy shortcuts need the clipboard: the user's clipboard is saved whole (every
// data type, byte for byte) first, or no key is typed, and it is put back afterwards
// unless somebody else replaced it meanwhile. Copy shortcuts are never typed into
// terminal emulators. The shortcuts are typed one after the other with short pauses,
// from the event loop: the capture ends by handing its text on.

#include "capture/ClipboardAccess.h"
#include "common/Timer.h"
#include "platform/Clipboard.h"
#include "platform/Keyboard.h"
#include "platform/WindowHandle.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace platform {
class Platform;
}

class SelectedTextCapture {
public:
    using Done = std::function<void(const QString& text)>;

    // How long keys stay down and how long the application gets after they come up.
    static constexpr int KeyPauseMs = 30;
    // The last wait for an application that copies late: attempts, and the pause
    // before each.
    static constexpr int FinalAttempts = 11;
    static constexpr int AttemptPauseMs = 10;

    explicit SelectedTextCapture(platform::Platform& platform);

    // Hands on the text selected in the window (the foreground one), or empty when
    // nothing could be copied. The clipboard ends as it was before: untouched when the
    // window's selection answers, otherwise saved and put back. One capture at a
    // time: while one runs, another is answered with nothing at once.
    void copySelectedText(WindowHandle window, Done done);
    bool isBusy() const { return static_cast<bool>(done_); }

    // The program's clipboard text procedures (the popup's copy link).
    ClipboardAccess& clipboard() { return clipboard_; }

private:
    enum class Step { KeysDown, KeysUp, Waiting };

    bool mayTypeInto(WindowHandle window);
    void pressKeys(platform::CopyKeys keys);
    void nextStep();
    // Takes the clipboard's text when the window's own process put something there.
    void readClipboard();
    void finish();

    platform::Platform& platform_;
    ClipboardAccess clipboard_;
    Timer step_;
    Done done_;
    std::int64_t process_ = 0;
    platform::ClipboardSnapshot saved_;
    std::uint64_t expected_ = 0;
    QString text_;
    platform::CopyKeys keys_ = platform::CopyKeys::ControlInsert;
    Step phase_ = Step::KeysDown;
    int attempts_ = 0;
};
