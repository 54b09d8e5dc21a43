#include "capture/SelectedTextCapture.h"

#include "common/FileBaseName.h"
#include "capture/TerminalEmulators.h"
#include "platform/Platform.h"

#include <QFileInfo>

SelectedTextCapture::SelectedTextCapture(platform::Platform& platform) : platform_(platform) {}

SelectedTextCapture::~SelectedTextCapture() = default;

void SelectedTextCapture::setOwnerWindow(WindowHandle window)
{
    owner_ = window;
    if (clipboard_)
        clipboard_->setFirstFormWindow(window);
}

ClipboardSession& SelectedTextCapture::clipboardSession()
{
    if (!clipboard_)
        clipboard_ = std::make_unique<ClipboardSession>(
            platform_.clipboard(), fileBaseName(platform_.files().executablePath()), owner_);
    return *clipboard_;
}

QString SelectedTextCapture::clipboardText()
{
    return clipboardSession().unicodeText();
}

void SelectedTextCapture::putClipboardText(const QString& text)
{
    if (text.isEmpty())
        return;
    ClipboardSession& clipboard = clipboardSession();
    clipboard.open(owner_);
    clipboard.clear();
    clipboard.setText(text);
    clipboard.close();
}

void SelectedTextCapture::emptyClipboard()
{
    platform::Clipboard& clipboard = platform_.clipboard();
    if (clipboard.open(owner_)) {
        clipboard.empty();
        clipboard.close();
    }
}

void SelectedTextCapture::typeShortcut(std::uint8_t key)
{
    using namespace platform::key;
    platform::Keyboard& keyboard = platform_.keyboard();
    platform::Clock& clock = platform_.clock();
    keyboard.keyEvent(Control, ScanCode, ExtendedKey);
    keyboard.keyEvent(key, ScanCode, ExtendedKey);
    clock.sleepMs(KeyPauseMs);
    clock.processEvents();
    keyboard.keyEvent(key, ScanCode, ExtendedKey | KeyUp);
    keyboard.keyEvent(Control, ScanCode, ExtendedKey | KeyUp);
    clock.sleepMs(KeyPauseMs);
    clock.processEvents();
}

bool SelectedTextCapture::mayTypeInto(WindowHandle window)
{
    if (window == 0)
        return true;
    platform::Windows& windows = platform_.windows();
    const std::int64_t pid = windows.windowProcessId(window);
    const QString executable =
        pid > 0 ? QFileInfo(platform_.processes().executablePath(std::uint32_t(pid))).fileName() : QString();
    return !isTerminalEmulator(windows.windowClass(window), executable);
}

QString SelectedTextCapture::copySelectedText(WindowHandle window)
{
    // The copy request: the application's own selection, read without the clipboard.
    // Its text reads as it would off the clipboard, which ends at the first NUL.
    if (const auto answer = platform_.windows().copyMessage(window)) {
        const QString text = answer->left(answer->indexOf(QChar(0)));
        if (!text.isEmpty())
            return text;
    }

    // The shortcuts go to whatever has the keyboard focus, which is checked as well.
    // Only what the window's own process puts on the clipboard is its answer, so a
    // window whose process is not known gets no keys.
    if (!platform_.keyboard().canType())
        return {};
    const WindowHandle focus = platform_.windows().foregroundWindow();
    const std::int64_t process = platform_.windows().windowProcessId(window);
    if (process <= 0 || !mayTypeInto(window) || (focus != window && !mayTypeInto(focus)))
        return {};
    // They make the application replace the clipboard: without a whole copy of the
    // user's clipboard to put back, a missed translation is the lesser loss.
    platform::Clipboard& clipboard = platform_.clipboard();
    const platform::ClipboardSnapshot saved = clipboard.snapshot();
    if (!saved.complete)
        return {};
    emptyClipboard();
    // What the clipboard holds on the capture's behalf: whatever the application put
    // there answering the shortcuts, text or not. A different stamp at the end means
    // somebody else put something there (a clipboard manager refilling the emptied
    // clipboard, the user), which is neither the selection nor to be overwritten.
    std::uint64_t expected = clipboard.changeStamp();
    QString text;
    const auto readClipboard = [&] {
        if (clipboard.changeStamp() == expected || clipboard.ownerProcessId() != process)
            return;
        expected = clipboard.changeStamp();
        text = clipboardText();
    };

    typeShortcut(platform::key::Insert);
    readClipboard();
    if (text.isEmpty()) {
        typeShortcut(platform::key::C);
        readClipboard();
    }
    // Some applications copy only some tens of milliseconds later.
    platform::Clock& clock = platform_.clock();
    for (int attempt = 0; attempt < FinalAttempts && text.isEmpty(); ++attempt) {
        clock.sleepMs(AttemptPauseMs);
        clock.processEvents();
        readClipboard();
    }

    if (clipboard.changeStamp() == expected) {
        emptyClipboard();
        clipboard.restore(saved);
    }
    return text;
}
