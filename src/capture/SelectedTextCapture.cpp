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
    writeText(text, false);
}

bool SelectedTextCapture::writeText(const QString& text, bool secret)
{
    if (text.isEmpty())
        return false;
    ClipboardSession& clipboard = clipboardSession();
    clipboard.open(owner_);
    clipboard.clear();
    const bool written = clipboard.setText(text);
    if (secret)
        clipboard.setBinaryData(clipboard.registerFormat(SecretHintFormat), "secret");
    clipboard.close();
    return written;
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
    platform::Clipboard& clipboard = platform_.clipboard();
    platform::Clock& clock = platform_.clock();

    // The whole clipboard is kept, not only its text.
    const platform::ClipboardSnapshot saved = clipboard.snapshot();
    emptyClipboard();
    // What the clipboard holds on the capture's behalf; a different stamp at the end
    // means somebody else put something there, which must not be overwritten.
    std::uint64_t expected = clipboard.changeStamp();
    QString text;
    const auto readClipboard = [&] {
        text = clipboardText();
        if (!text.isEmpty())
            expected = clipboard.changeStamp();
    };

    // The copy request; its answer sits on the clipboard marked secret for history tools.
    if (const auto answer = platform_.windows().copyMessage(window); answer && writeText(*answer, true))
        readClipboard();

    // The shortcuts go to whatever has the keyboard focus, which is checked as well.
    const WindowHandle focus = platform_.windows().foregroundWindow();
    const bool typing = text.isEmpty() && mayTypeInto(window) && (focus == window || mayTypeInto(focus));
    if (typing) {
        typeShortcut(platform::key::Insert);
        readClipboard();
        if (text.isEmpty()) {
            typeShortcut(platform::key::C);
            readClipboard();
        }
        // Some applications copy only some tens of milliseconds later.
        for (int attempt = 0; attempt < FinalAttempts && text.isEmpty(); ++attempt) {
            clock.sleepMs(AttemptPauseMs);
            clock.processEvents();
            readClipboard();
        }
    }

    if (clipboard.changeStamp() == expected) {
        emptyClipboard();
        clipboard.restore(saved);
    }
    return text;
}
