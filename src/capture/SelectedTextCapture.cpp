#include "capture/SelectedTextCapture.h"

#include "capture/TerminalEmulators.h"
#include "config/mdlINI.h"
#include "platform/api.h"

#include <QFileInfo>

SelectedTextCapture::SelectedTextCapture(platform::api& api) : api_(api) {}

SelectedTextCapture::~SelectedTextCapture() = default;

void SelectedTextCapture::setOwnerWindow(WindowHandle window)
{
    owner_ = window;
    if (clipboard_)
        clipboard_->setFirstFormWindow(window);
}

clsClipBoard& SelectedTextCapture::clipboardObject()
{
    if (!clipboard_)
        clipboard_ = std::make_unique<clsClipBoard>(
            api_.clipboard(), mdlINI::GetBaseName(api_.files().executablePath()), owner_);
    return *clipboard_;
}

QString SelectedTextCapture::GetClipboardText()
{
    return clipboardObject().GetUniText();
}

void SelectedTextCapture::PutClipboardText(const QString& text)
{
    writeText(text, false);
}

bool SelectedTextCapture::writeText(const QString& text, bool secret)
{
    if (text.isEmpty())
        return false;
    clsClipBoard& clipboard = clipboardObject();
    clipboard.ClipboardOpen(owner_);
    clipboard.ClearClipboard();
    const bool written = clipboard.SetTextData(text);
    if (secret)
        clipboard.SetBinaryData(clipboard.AddFormat(SecretHintFormat), "secret");
    clipboard.ClipboardClose();
    return written;
}

void SelectedTextCapture::emptyClipboard()
{
    platform::Clipboard& clipboard = api_.clipboard();
    if (clipboard.open(owner_)) {
        clipboard.empty();
        clipboard.close();
    }
}

void SelectedTextCapture::typeShortcut(std::uint8_t key)
{
    using namespace platform::key;
    platform::Keyboard& keyboard = api_.keyboard();
    platform::Clock& clock = api_.clock();
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
    platform::Windows& windows = api_.windows();
    const std::int64_t pid = windows.windowProcessId(window);
    const QString executable =
        pid > 0 ? QFileInfo(api_.processes().executablePath(std::uint32_t(pid))).fileName() : QString();
    return !isTerminalEmulator(windows.windowClass(window), executable);
}

QString SelectedTextCapture::CopySelectedText(WindowHandle hWnd)
{
    platform::Clipboard& clipboard = api_.clipboard();
    platform::Clock& clock = api_.clock();

    // The whole clipboard is kept, not only its text.
    const platform::ClipboardSnapshot saved = clipboard.snapshot();
    emptyClipboard();
    // What the clipboard holds on the capture's behalf; a different stamp at the end
    // means somebody else put something there, which must not be overwritten.
    std::uint64_t expected = clipboard.changeStamp();
    QString text;
    const auto readClipboard = [&] {
        text = GetClipboardText();
        if (!text.isEmpty())
            expected = clipboard.changeStamp();
    };

    // The copy request; its answer sits on the clipboard marked secret for history tools.
    if (const auto answer = api_.windows().copyMessage(hWnd); answer && writeText(*answer, true))
        readClipboard();

    // The shortcuts go to whatever has the keyboard focus, which is checked as well.
    const WindowHandle focus = api_.windows().foregroundWindow();
    const bool typing = text.isEmpty() && mayTypeInto(hWnd) && (focus == hWnd || mayTypeInto(focus));
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
