#pragma once
// Copying the selection out of the foreground application, and the two small clipboard
// text procedures of the program.
//
// The copy request answers from the application's own fresh selection without the
// clipboard. Only the copy shortcuts need it: the user's clipboard is saved whole
// (every data type, byte for byte) first, or no key is typed, and it is put back
// afterwards unless somebody replaced it meanwhile. Copy shortcuts are never typed
// into terminal emulators.

#include "capture/ClipboardSession.h"
#include "platform/WindowHandle.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace platform {
class Platform;
}

class SelectedTextCapture {
public:
    static constexpr std::uint8_t ScanCode = 0x45;
    static constexpr int KeyPauseMs = 30;
    static constexpr int AttemptPauseMs = 10;
    static constexpr int FinalAttempts = 11;

    explicit SelectedTextCapture(platform::Platform& platform);
    ~SelectedTextCapture();

    // The program's main window: owner of the clipboard while the program writes it.
    void setOwnerWindow(WindowHandle window);

    // The text selected in the foreground window window, or empty when nothing could be
    // copied. The clipboard ends as it was before: untouched when the copy request
    // answers, otherwise saved and put back.
    QString copySelectedText(WindowHandle window);
    // The clipboard's text; empty on any failure.
    QString clipboardText();
    // Makes text the clipboard's only content; does nothing for an empty text.
    void putClipboardText(const QString& text);

    // The one clipboard object of the program, created on first use.
    ClipboardSession& clipboardSession();

private:
    void emptyClipboard();
    void typeShortcut(std::uint8_t key);
    bool mayTypeInto(WindowHandle window);

    platform::Platform& platform_;
    WindowHandle owner_ = 0;
    std::unique_ptr<ClipboardSession> clipboard_;
};
