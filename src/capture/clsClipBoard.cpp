#include "capture/clsClipBoard.h"

#include "platform/ClipboardBlocks.h"

namespace {

// DragQueryFileA fills a buffer of this many characters, terminator included.
constexpr qsizetype FileNameBuffer = 260;
// GetClipboardFormatNameA is given a buffer of this many characters.
constexpr qsizetype FormatNameBuffer = 255;

const QStringList StandardFormatNames{
    "",
    "Text",
    "Bitmap Picture",
    "Meta-File Picture",
    "Microsoft Symbolic Link (SYLK) data.",
    "Software Arts' Data Interchange information.",
    "Tagged Image File Format (TIFF) Picture",
    "Text (OEM)",
    "DIB Bitmap Picture",
    "Colour Palette",
    "Pen Data",
    "RIFF Audio data",
    "Wave File",
    "Text (Unicode)",
    "Enhanced Meta-File Picture",
    "File List",
    "",
    "",
};

} // namespace

clsClipBoard::clsClipBoard(platform::Clipboard& clipboard, const QString& programName, WindowHandle firstForm)
    : clipboard_(clipboard), errorSource_(programName + ".cCustomClipboard"), firstForm_(firstForm)
{
}

clsClipBoard::~clsClipBoard()
{
    ClipboardClose();
}

bool clsClipBoard::ClipboardOpen(WindowHandle hWndOwner)
{
    // Opening again for another owner would leave the first opening dangling.
    if (m_bOpen && m_hWndOwner != hWndOwner)
        ClipboardClose();
    if (clipboard_.open(hWndOwner)) {
        m_hWndOwner = hWndOwner;
        m_bOpen = true;
        return true;
    }
    m_hWndOwner = 0;
    m_bOpen = false;
    return false;
}

void clsClipBoard::ClipboardClose()
{
    if (!m_bOpen)
        return;
    clipboard_.close();
    m_bOpen = false;
    m_hWndOwner = 0;
    // Blocks read from the clipboard belong to it and are gone once it closes.
    blocks_.clear();
}

bool clsClipBoard::ClipboardGuard()
{
    if (m_bOpen && m_hWndOwner != 0)
        return false;
    lastError_ = {NotOpenErrorNumber, errorSource_, NotOpenErrorText};
    return true;
}

qint32 clsClipBoard::AddFormat(const QString& sName)
{
    const platform::ClipboardFormat id = clipboard_.registerFormat(sName);
    return id > platform::format::FirstRegisteredFormat ? qint32(id) : 0;
}

qint16 clsClipBoard::FormatCount()
{
    return qint16(clipboard_.formatCount());
}

qint32 clsClipBoard::GetCurrentFormats(WindowHandle hWndOwner, qint32 Format)
{
    m_lFormatIds.clear();
    m_sFormatNames.clear();
    m_lFormatCount = 0;
    if (!ClipboardOpen(hWndOwner))
        return 0;
    qint32 result = 0;
    for (const platform::ClipboardFormat id : clipboard_.formats()) {
        if (Format == 0) {
            m_lFormatIds.append(qint32(id));
            m_sFormatNames.append(FormatName(qint32(id)));
            ++m_lFormatCount;
        } else if (qint32(id) == Format) {
            result = 1;
        }
    }
    ClipboardClose();
    return Format == 0 ? m_lFormatCount : result;
}

std::optional<qint32> clsClipBoard::GetCurrentFormatID(qint32 lIndex) const
{
    if (lIndex < 1 || lIndex > m_lFormatCount)
        return std::nullopt;
    return m_lFormatIds[lIndex - 1];
}

std::optional<QString> clsClipBoard::GetCurrentFormatName(qint32 lIndex) const
{
    if (lIndex < 1 || lIndex > m_lFormatCount)
        return std::nullopt;
    return m_sFormatNames[lIndex - 1];
}

bool clsClipBoard::HasCurrentFormat(qint32 lFormatId) const
{
    return m_lFormatIds.contains(lFormatId);
}

QString clsClipBoard::FormatName(qint32 lFormatId)
{
    if (lFormatId >= 1 && lFormatId < StandardFormatNames.size())
        return StandardFormatNames[lFormatId];
    return clipboard_.registeredFormatName(platform::ClipboardFormat(lFormatId)).left(FormatNameBuffer - 1);
}

qint32 clsClipBoard::FormatIDForName(WindowHandle hWndOwner, const QString& sName)
{
    GetCurrentFormats(hWndOwner, 0);
    const qsizetype index = m_sFormatNames.indexOf(sName);
    return index < 0 ? 0 : m_lFormatIds[index];
}

bool clsClipBoard::IsDataAvailableForFormatName(WindowHandle hWndOwner, const QString& sFormatName)
{
    const qint32 id = FormatIDForName(hWndOwner, sFormatName);
    return id > 0 && IsDataAvailableForFormat(id);
}

bool clsClipBoard::IsDataAvailableForFormat(qint32 lFormatId)
{
    return clipboard_.isFormatAvailable(platform::ClipboardFormat(lFormatId));
}

clsClipBoard::MemoryHandle clsClipBoard::GetClipboardMemoryHandle(qint32 lFormatId)
{
    if (ClipboardGuard() || !IsDataAvailableForFormat(lFormatId))
        return 0;
    const auto block = clipboard_.data(platform::ClipboardFormat(lFormatId));
    return block ? blocks_.allocate(*block) : 0;
}

bool clsClipBoard::GetBinaryData(qint32 lFormatId, QByteArray& bData, qint32* RetHandle)
{
    bData.clear();
    const MemoryHandle handle = GetClipboardMemoryHandle(lFormatId);
    if (handle == 0)
        return false;
    const QByteArray block = blocks_.block(handle).value_or(QByteArray());
    // The last two bytes of every block are taken to be its terminator.
    const qsizetype n = block.size() - 2;
    if (RetHandle)
        *RetHandle = qint32(quint32(handle) + quint32(n));
    else if (n > 0)
        bData = block.left(n);
    return n > 0;
}

qint32 clsClipBoard::GetHandle(WindowHandle hWnd)
{
    ClipboardOpen(hWnd);
    QByteArray scratch;
    qint32 handle = 0;
    GetBinaryData(platform::format::Text, scratch, &handle);
    ClipboardClose();
    return handle;
}

bool clsClipBoard::SetBinaryData(qint32 lFormatId, const QByteArray& bData)
{
    if (ClipboardGuard())
        return false;
    return clipboard_.setData(platform::ClipboardFormat(lFormatId), bData);
}

bool clsClipBoard::SetClipboardMemoryHandle(qint32 lFormatId, MemoryHandle hMem)
{
    const auto block = blocks_.take(hMem);
    return block && clipboard_.setData(platform::ClipboardFormat(lFormatId), *block);
}

QString clsClipBoard::GetUniText()
{
    const WindowHandle owner = firstForm_;
    ClipboardOpen(owner);
    QByteArray bytes;
    if (GetBinaryData(platform::format::UnicodeText, bytes)) {
        ClipboardClose();
        return platform::blocks::fromUnicodeText(bytes);
    }
    ClipboardClose();
    const QString text = clipboard_.text();
    ClipboardOpen(owner);
    ClipboardClose();
    return text;
}

bool clsClipBoard::GetTextData(qint32 lFormatId, QString& sTextOut)
{
    if (lFormatId == platform::format::Text || lFormatId == platform::format::UnicodeText) {
        // The toolkit's own text read opens the clipboard itself.
        const std::optional<WindowHandle> owner = m_bOpen ? std::optional(m_hWndOwner) : std::nullopt;
        ClipboardClose();
        sTextOut = clipboard_.text();
        if (owner)
            ClipboardOpen(*owner);
        return true;
    }
    QByteArray bytes;
    if (!GetBinaryData(lFormatId, bytes))
        return false;
    sTextOut = QString::fromLatin1(bytes);
    return true;
}

bool clsClipBoard::SetTextData(const QString& sText)
{
    if (sText.isEmpty())
        return false;
    SetBinaryData(platform::format::UnicodeText, platform::blocks::unicodeText(sText));
    return SetBinaryData(platform::format::Text, platform::blocks::ansiText(sText));
}

bool clsClipBoard::GetFileList(QStringList& sFiles, qint32& iFileCount)
{
    const MemoryHandle handle = GetClipboardMemoryHandle(platform::format::FileList);
    if (handle == 0)
        return false;
    const QStringList names = platform::blocks::fromFileList(blocks_.block(handle).value_or(QByteArray()));
    iFileCount = qint32(names.size());
    if (iFileCount > 0) {
        sFiles.clear();
        for (const QString& name : names)
            sFiles.append(name.left(FileNameBuffer - 1));
    }
    return true;
}

bool clsClipBoard::SetFileList(const QStringList& sFiles)
{
    if (ClipboardGuard())
        return false;
    return SetBinaryData(platform::format::FileList, platform::blocks::fileList(sFiles));
}

void clsClipBoard::ClearClipboard()
{
    if (ClipboardGuard())
        return;
    clipboard_.empty();
}
