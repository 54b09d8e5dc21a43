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

class clsClipBoard {
public:
    using MemoryHandle = MemoryBlocks::Handle;

    static constexpr qint32 NotOpenErrorNumber = -2147219934; // 0x80040000 + 1570
    static inline const QString NotOpenErrorText = "Attempt to access the clipboard when clipboard not Open.";

    // programName: the executable's base name, for the error source; firstForm: the
    // window of the program's first loaded form, owner of the text reads.
    clsClipBoard(platform::Clipboard& clipboard, const QString& programName, WindowHandle firstForm);
    ~clsClipBoard();
    clsClipBoard(const clsClipBoard&) = delete;
    clsClipBoard& operator=(const clsClipBoard&) = delete;

    void setFirstFormWindow(WindowHandle window) { firstForm_ = window; }

    qint32 AddFormat(const QString& sName);
    qint16 FormatCount();
    qint32 GetCurrentFormats(WindowHandle hWndOwner, qint32 Format = 0);
    // Nothing for an index outside 1..count (the caller's error).
    std::optional<qint32> GetCurrentFormatID(qint32 lIndex) const;
    std::optional<QString> GetCurrentFormatName(qint32 lIndex) const;
    bool HasCurrentFormat(qint32 lFormatId) const;
    QString FormatName(qint32 lFormatId);
    qint32 FormatIDForName(WindowHandle hWndOwner, const QString& sName);
    bool IsDataAvailableForFormatName(WindowHandle hWndOwner, const QString& sFormatName);
    bool IsDataAvailableForFormat(qint32 lFormatId);
    // The block without its last two bytes; with RetHandle, only the handle plus that
    // length is given back and nothing is copied.
    bool GetBinaryData(qint32 lFormatId, QByteArray& bData, qint32* RetHandle = nullptr);
    qint32 GetHandle(WindowHandle hWnd);
    MemoryHandle GetClipboardMemoryHandle(qint32 lFormatId);
    bool SetBinaryData(qint32 lFormatId, const QByteArray& bData);
    bool SetClipboardMemoryHandle(qint32 lFormatId, MemoryHandle hMem);
    QString GetUniText();
    bool GetTextData(qint32 lFormatId, QString& sTextOut);
    bool SetTextData(const QString& sText);
    bool GetFileList(QStringList& sFiles, qint32& iFileCount);
    bool SetFileList(const QStringList& sFiles);
    void ClearClipboard();
    void ClipboardClose();
    bool ClipboardOpen(WindowHandle hWndOwner);

    // A block for SetClipboardMemoryHandle, which takes it over.
    MemoryHandle AllocateMemory(const QByteArray& bytes) { return blocks_.allocate(bytes); }
    // The error the guard recorded last; number 0 when there was none.
    const ClipboardError& LastError() const { return lastError_; }
    bool IsOpen() const { return m_bOpen; }
    WindowHandle OwnerWindow() const { return m_hWndOwner; }

private:
    // True (and the not-open error recorded) when this object does not have the
    // clipboard open; the calling operation then does nothing.
    bool ClipboardGuard();

    platform::Clipboard& clipboard_;
    QString errorSource_;
    WindowHandle firstForm_;
    MemoryBlocks blocks_;
    ClipboardError lastError_;

    QList<qint32> m_lFormatIds;
    QStringList m_sFormatNames;
    qint32 m_lFormatCount = 0;
    bool m_bOpen = false;
    WindowHandle m_hWndOwner = 0;
};
