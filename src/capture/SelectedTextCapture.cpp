#include "capture/SelectedTextCapture.h"

#include "capture/TerminalEmulators.h"
#include "platform/Platform.h"

#include <QFileInfo>

SelectedTextCapture::SelectedTextCapture(platform::Platform& platform)
    : platform_(platform), clipboard_(platform.clipboard()), step_(platform.clock())
{
    step_.setSingleShot(true);
    QObject::connect(&step_, &Timer::timeout, [this] { nextStep(); });
}

bool SelectedTextCapture::mayTypeInto(WindowHandle window)
{
    if (window == 0)
        return true;
    platform::ApplicationWindows& windows = platform_.applications();
    const std::int64_t pid = windows.windowProcessId(window);
    const QString executable =
        pid > 0 ? QFileInfo(platform_.processes().executablePath(std::uint32_t(pid))).fileName() : QString();
    return !isTerminalEmulator(windows.windowClass(window), executable);
}

void SelectedTextCapture::copySelectedText(WindowHandle window, Done done)
{
    if (isBusy()) {
        done({});
        return;
    }
    // The window's own selection, read without the clipboard. Its text reads as it
    // would off the clipboard, which ends at the first NUL.
    if (const auto answer = platform_.applications().selectedText(window)) {
        const QString text = answer->left(answer->indexOf(QChar(0)));
        if (!text.isEmpty()) {
            done(text);
            return;
        }
    }

    // The shortcuts go to whatever has the keyboard focus, which is checked as well.
    // Only what the window's own process puts on the clipboard is its answer, so a
    // window whose process is not known gets no keys.
    const WindowHandle focus = platform_.applications().foregroundWindow();
    process_ = platform_.applications().windowProcessId(window);
    if (!platform_.keyboard().canType() || process_ <= 0 || !mayTypeInto(window) ||
        (focus != window && !mayTypeInto(focus))) {
        done({});
        return;
    }
    // They make the application replace the clipboard: without a whole copy of the
    // user's clipboard to put back, a missed translation is the lesser loss.
    platform::Clipboard& clipboard = platform_.clipboard();
    saved_ = clipboard.snapshot();
    if (!saved_.complete) {
        done({});
        return;
    }
    done_ = std::move(done);
    text_.clear();
    clipboard.clear();
    // What the clipboard holds on the capture's behalf: whatever the application puts
    // there answering the shortcuts, text or not. A different stamp at the end means
    // somebody else put something there (a clipboard manager refilling the emptied
    // clipboard, the user), which is neither the selection nor to be overwritten.
    expected_ = clipboard.changeStamp();
    pressKeys(platform::CopyKeys::ControlInsert);
}

void SelectedTextCapture::pressKeys(platform::CopyKeys keys)
{
    keys_ = keys;
    phase_ = Step::KeysDown;
    platform_.keyboard().press(keys);
    step_.setInterval(KeyPauseMs);
    step_.restart();
}

void SelectedTextCapture::nextStep()
{
    switch (phase_) {
    case Step::KeysDown:
        platform_.keyboard().release(keys_);
        phase_ = Step::KeysUp;
        step_.restart();
        return;
    case Step::KeysUp:
        readClipboard();
        if (!text_.isEmpty()) {
            finish();
        } else if (keys_ == platform::CopyKeys::ControlInsert) {
            pressKeys(platform::CopyKeys::ControlC);
        } else {
            // Some applications copy only some tens of milliseconds later.
            phase_ = Step::Waiting;
            attempts_ = 0;
            step_.setInterval(AttemptPauseMs);
            step_.restart();
        }
        return;
    case Step::Waiting:
        readClipboard();
        if (!text_.isEmpty() || ++attempts_ >= FinalAttempts)
            finish();
        else
            step_.restart();
        return;
    }
}

void SelectedTextCapture::readClipboard()
{
    platform::Clipboard& clipboard = platform_.clipboard();
    if (clipboard.changeStamp() == expected_ || clipboard.ownerProcessId() != process_)
        return;
    expected_ = clipboard.changeStamp();
    text_ = clipboard_.text();
}

void SelectedTextCapture::finish()
{
    platform::Clipboard& clipboard = platform_.clipboard();
    if (clipboard.changeStamp() == expected_) {
        clipboard.clear();
        clipboard.restore(saved_);
    }
    saved_ = {};
    Done done = std::move(done_);
    done_ = nullptr;
    done(text_);
}
