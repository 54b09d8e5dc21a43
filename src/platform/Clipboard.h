#pragma once
#include "platform/WindowHandle.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

namespace platform {

// Clipboard formats by number: the standard ones the program knows and registered
// ones from FirstRegisteredFormat on.
using ClipboardFormat = std::uint32_t;
namespace format {
constexpr ClipboardFormat Text = 1;         // ANSI text with one NUL terminator
constexpr ClipboardFormat UnicodeText = 13; // UTF-16LE text with a two-byte terminator
constexpr ClipboardFormat FileList = 15;    // a file-list block (20-byte header, names)
constexpr ClipboardFormat FirstRegisteredFormat = 0xC000; // registered ids lie above it
} // namespace format

// Everything the clipboard held at one moment: every data type with its exact bytes,
// in the order the owner offered them. Empty when nothing was on the clipboard.
// Incomplete when the owner did not hand over every type in time: putting such a copy
// back would lose what is missing.
struct ClipboardSnapshot {
    struct Item {
        QString name;   // the data type (a MIME type or the platform's own name)
        QString type;   // how the platform labelled the bytes; empty when it has no such label
        int unitBits = 8;
        QByteArray bytes;
        bool operator==(const Item&) const = default;
    };
    QList<Item> items;
    bool complete = true;
    bool isEmpty() const { return items.isEmpty(); }
};

// The desktop clipboard, with the open/close discipline the program's clipboard class
// expects: data are read and written only while this program has it open, and blocks
// keep the platform's shape (text blocks end in their terminator). Every wait on
// another application is bounded: an owner that does not answer reads as empty.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    // Opens the clipboard for the owner window. False when it is held open elsewhere.
    virtual bool open(WindowHandle owner) = 0;
    // Closes it; what was written while open becomes the clipboard's content.
    virtual bool close() = 0;
    // Removes every format (needs the clipboard open).
    virtual bool empty() = 0;

    // Number of formats on the clipboard (no need to open it).
    virtual int formatCount() = 0;
    // The formats on the clipboard in the owner's order (needs the clipboard open).
    virtual QList<ClipboardFormat> formats() = 0;
    virtual bool isFormatAvailable(ClipboardFormat id) = 0;
    // The name a registered format was registered under; empty for any other id.
    virtual QString registeredFormatName(ClipboardFormat id) = 0;
    // Registers a format name and returns its id (the same id for the same name); 0 on failure.
    virtual ClipboardFormat registerFormat(const QString& name) = 0;

    // The block of one format (needs the clipboard open); nothing when it is absent.
    virtual std::optional<QByteArray> data(ClipboardFormat id) = 0;
    // Replaces the block of one format (needs the clipboard open).
    virtual bool setData(ClipboardFormat id, const QByteArray& block) = 0;

    // The clipboard's text as the toolkit reads it on its own (it opens and closes the
    // clipboard itself, so it fails while anybody has it open); empty on any failure.
    virtual QString text() = 0;

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
