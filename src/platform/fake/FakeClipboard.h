#pragma once
#include "platform/Clipboard.h"

#include <functional>

namespace platform::fake {

// An in-memory clipboard: items by MIME type, the process that put them there, and a
// change stamp that moves with every change.
class FakeClipboard : public Clipboard {
public:
    // The process id the fake reports for the program itself.
    static constexpr std::int64_t ThisProcess = 1;

    QList<ClipboardSnapshot::Item> content;
    // Who put the content there (0: nobody, or unknown).
    std::int64_t owner = 0;
    std::uint64_t stamp = 0;
    // The owner does not answer: its text reads as empty.
    bool ownerSilent = false;
    // Runs after every change of the content (a test's clipboard manager reacts to it).
    std::function<void()> onChange;
    // The owner does not hand over every type: snapshots come out incomplete.
    bool snapshotIncomplete = false;
    // Hand-overs to a clipboard manager asked for.
    int handOvers = 0;

    // One item of text.
    static ClipboardSnapshot::Item textItem(const QString& text);
    // What another application (the process processId) does: replaces the whole content.
    void putFromApplication(QList<ClipboardSnapshot::Item> items, std::int64_t processId = 0);

    QString text() override;
    bool setText(const QString& text) override;
    bool clear() override;
    ClipboardSnapshot snapshot() override;
    bool restore(const ClipboardSnapshot& snapshot) override;
    std::uint64_t changeStamp() override { return stamp; }
    std::int64_t ownerProcessId() override { return owner; }
    bool handOverBeforeExit() override
    {
        ++handOvers;
        return owner == ThisProcess && !content.isEmpty();
    }

private:
    void changed();
};

} // namespace platform::fake
