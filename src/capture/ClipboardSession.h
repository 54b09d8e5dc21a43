#pragma once
// The clipboard class: opening and closing the clipboard with an owner window,
// listing and naming formats, raw format data in memory blocks, and text and file-list
// conveniences on top. Data access while this object does not have the clipboard open
// does nothing and records the not-open error as the object's last error.

#include "capture/MemoryBlocks.h"
#include "platform/Clipboard.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// An error the class recorded (it never reaches the caller as such).
struct ClipboardError {
    qint32 number = 0;
    QString source;
    QString description;
    bool operator==(const ClipboardError&) const = default;
};

class ClipboardSession {
public:
    using MemoryHandle = MemoryBlocks::Handle;

    static constexpr qint32 NotOpenErrorNumber = -2147219934; // 0x80040000 + 1570
    static inline const QString NotOpenErrorText = "Attempt to access the clipboard when clipboard not Open.";

    // programName: the executable's base name, for the error source; firstForm: the
    // window of the program's first loaded form, owner of the text reads.
    ClipboardSession(platform::Clipboard& clipboard, const QString& programName, WindowHandle firstForm);
    ~ClipboardSession();
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    void setFirstFormWindow(WindowHandle window) { firstForm_ = window; }

    qint32 registerFormat(const QString& name);
    qint16 formatCount();
    qint32 listFormats(WindowHandle owner, qint32 Format = 0);
    // Nothing for an index outside 1..count (the caller's error).
    std::optional<qint32> listedFormatId(qint32 index) const;
    std::optional<QString> listedFormatName(qint32 index) const;
    bool hasListedFormat(qint32 format) const;
    QString formatName(qint32 format);
    qint32 formatIdForName(WindowHandle owner, const QString& name);
    bool hasDataForFormatName(WindowHandle owner, const QString& formatName);
    bool hasDataForFormat(qint32 format);
    // The block without its last two bytes; with endHandle, only the handle plus that
    // length is given back and nothing is copied.
    bool binaryData(qint32 format, QByteArray& bytes, qint32* endHandle = nullptr);
    qint32 textEndHandle(WindowHandle window);
    MemoryHandle dataBlock(qint32 format);
    bool setBinaryData(qint32 format, const QByteArray& bytes);
    bool setDataBlock(qint32 format, MemoryHandle handle);
    QString unicodeText();
    bool textData(qint32 format, QString& text);
    bool setText(const QString& text);
    bool fileList(QStringList& files, qint32& count);
    bool setFileList(const QStringList& files);
    void clear();
    void close();
    bool open(WindowHandle owner);

    // A block for setDataBlock, which takes it over.
    MemoryHandle allocateBlock(const QByteArray& bytes) { return blocks_.allocate(bytes); }
    // The error the guard recorded last; number 0 when there was none.
    const ClipboardError& lastError() const { return lastError_; }
    bool isOpen() const { return open_; }
    WindowHandle ownerWindow() const { return owner_; }

private:
    // True (and the not-open error recorded) when this object does not have the
    // clipboard open; the calling operation then does nothing.
    bool notOpen();

    platform::Clipboard& clipboard_;
    QString errorSource_;
    WindowHandle firstForm_;
    MemoryBlocks blocks_;
    ClipboardError lastError_;

    QList<qint32> listedIds_;
    QStringList listedNames_;
    qint32 listedCount_ = 0;
    bool open_ = false;
    WindowHandle owner_ = 0;
};
