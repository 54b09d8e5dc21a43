#pragma once
#include "platform/Clipboard.h"
#include "platform/RegisteredFormats.h"

#include <QStringList>
#include <functional>
#include <utility>

namespace platform::fake {

// An in-memory clipboard that behaves like the platform's: one opener at a time,
// blocks stored as written, a change stamp that moves with every change.
class FakeClipboard : public Clipboard {
public:
    using Block = std::pair<ClipboardFormat, QByteArray>;

    // The content in the order it was written.
    QList<Block> content;
    // Another application has the clipboard open: opening and the toolkit's text fail.
    bool heldElsewhere = false;
    // The window that has it open here, when it is open.
    std::optional<WindowHandle> openedBy;
    RegisteredFormats registered;
    std::uint64_t stamp = 0;
    // Runs after every change of the content (a test records what the clipboard held).
    std::function<void()> onChange;
    // The owner does not hand over every type: snapshots come out incomplete.
    bool snapshotIncomplete = false;
    // Hand-overs to a clipboard manager asked for.
    int handOvers = 0;

    // The process id the fake reports for the program itself.
    static constexpr std::int64_t ThisProcess = 1;
    // Who put the content there (0: nobody, or unknown).
    std::int64_t owner = 0;

    // What another application (the process processId) does: replaces the whole content.
    void putFromApplication(QList<Block> blocks, std::int64_t processId = 0);
    std::optional<QByteArray> block(ClipboardFormat id) const;

    bool open(WindowHandle owner) override;
    bool close() override;
    bool empty() override;
    int formatCount() override { return int(content.size()); }
    QList<ClipboardFormat> formats() override;
    bool isFormatAvailable(ClipboardFormat id) override { return block(id).has_value(); }
    QString registeredFormatName(ClipboardFormat id) override;
    ClipboardFormat registerFormat(const QString& name) override;
    std::optional<QByteArray> data(ClipboardFormat id) override;
    bool setData(ClipboardFormat id, const QByteArray& bytes) override;
    QString text() override;
    ClipboardSnapshot snapshot() override;
    bool restore(const ClipboardSnapshot& snapshot) override;
    std::uint64_t changeStamp() override { return stamp; }
    std::int64_t ownerProcessId() override { return owner; }
    bool handOverBeforeExit() override
    {
        ++handOvers;
        return !content.isEmpty();
    }

private:
    void changed();
};

} // namespace platform::fake
