#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

namespace platform {

// Everything the clipboard held at one moment: every data type with its exact bytes,
// in the order the owner offered them. Empty when nothing was on the clipboard.
// Incomplete when the owner did not hand over every type in time: putting such a copy
// back would lose what is missing.
struct ClipboardSnapshot {
    struct Item {
        QString mimeType; // the data type (a MIME type or the platform's own name)
        QString type;     // how the platform labelled the bytes; empty when it has no such label
        int unitBits = 8;
        QByteArray bytes;
        bool operator==(const Item&) const = default;
    };
    QList<Item> items;
    bool complete = true;
    bool isEmpty() const { return items.isEmpty(); }
};

// The desktop clipboard. Every wait on another application is bounded: an owner that
// does not answer reads as empty.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    // The clipboard's text; empty when it holds none or its owner does not answer.
    virtual QString text() = 0;
    // Makes the text the clipboard's only content, served by this program.
    virtual bool setText(const QString& text) = 0;
    // Leaves the clipboard empty, owned by nobody.
    virtual bool clear() = 0;

    // The whole clipboard, byte for byte, and putting such a copy back (an empty
    // snapshot leaves the clipboard empty). Both are bounded in time.
    virtual ClipboardSnapshot snapshot() = 0;
    virtual bool restore(const ClipboardSnapshot& snapshot) = 0;

    // A number that changes whenever anybody (this program included) changes the
    // clipboard's content, so that a caller can tell whether it still holds what it put.
    virtual std::uint64_t changeStamp() = 0;
    // The process that put the clipboard's content there; 0 when nobody owns it or the
    // desktop cannot tell.
    virtual std::int64_t ownerProcessId() = 0;

    // Before the program ends: when it owns the clipboard (where the owner serves the
    // content, it would go with the program), asks the desktop's clipboard manager to
    // keep a copy, waiting about a second at most. False when nothing was handed over.
    virtual bool handOverBeforeExit() = 0;
};

} // namespace platform
