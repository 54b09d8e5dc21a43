#include "capture/ClipboardSession.h"

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

ClipboardSession::ClipboardSession(platform::Clipboard& clipboard, const QString& programName, WindowHandle firstForm)
    : clipboard_(clipboard), errorSource_(programName + ".cCustomClipboard"), firstForm_(firstForm)
{
}

ClipboardSession::~ClipboardSession()
{
    close();
}

bool ClipboardSession::open(WindowHandle owner)
{
    // Opening again for another owner would leave the first opening dangling.
    if (open_ && owner_ != owner)
        close();
    if (clipboard_.open(owner)) {
        owner_ = owner;
        open_ = true;
        return true;
    }
    owner_ = 0;
    open_ = false;
    return false;
}

void ClipboardSession::close()
{
    if (!open_)
        return;
    clipboard_.close();
    open_ = false;
    owner_ = 0;
    // Blocks read from the clipboard belong to it and are gone once it closes.
    blocks_.clear();
}

bool ClipboardSession::notOpen()
{
    if (open_ && owner_ != 0)
        return false;
    lastError_ = {NotOpenErrorNumber, errorSource_, NotOpenErrorText};
    return true;
}

qint32 ClipboardSession::registerFormat(const QString& name)
{
    const platform::ClipboardFormat id = clipboard_.registerFormat(name);
    return id > platform::format::FirstRegisteredFormat ? qint32(id) : 0;
}

qint16 ClipboardSession::formatCount()
{
    return qint16(clipboard_.formatCount());
}

qint32 ClipboardSession::listFormats(WindowHandle owner, qint32 Format)
{
    listedIds_.clear();
    listedNames_.clear();
    listedCount_ = 0;
    if (!open(owner))
        return 0;
    qint32 result = 0;
    for (const platform::ClipboardFormat id : clipboard_.formats()) {
        if (Format == 0) {
            listedIds_.append(qint32(id));
            listedNames_.append(formatName(qint32(id)));
            ++listedCount_;
        } else if (qint32(id) == Format) {
            result = 1;
        }
    }
    close();
    return Format == 0 ? listedCount_ : result;
}

std::optional<qint32> ClipboardSession::listedFormatId(qint32 index) const
{
    if (index < 1 || index > listedCount_)
        return std::nullopt;
    return listedIds_[index - 1];
}

std::optional<QString> ClipboardSession::listedFormatName(qint32 index) const
{
    if (index < 1 || index > listedCount_)
        return std::nullopt;
    return listedNames_[index - 1];
}

bool ClipboardSession::hasListedFormat(qint32 format) const
{
    return listedIds_.contains(format);
}

QString ClipboardSession::formatName(qint32 format)
{
    if (format >= 1 && format < StandardFormatNames.size())
        return StandardFormatNames[format];
    return clipboard_.registeredFormatName(platform::ClipboardFormat(format)).left(FormatNameBuffer - 1);
}

qint32 ClipboardSession::formatIdForName(WindowHandle owner, const QString& name)
{
    listFormats(owner, 0);
    const qsizetype index = listedNames_.indexOf(name);
    return index < 0 ? 0 : listedIds_[index];
}

bool ClipboardSession::hasDataForFormatName(WindowHandle owner, const QString& formatName)
{
    const qint32 id = formatIdForName(owner, formatName);
    return id > 0 && hasDataForFormat(id);
}

bool ClipboardSession::hasDataForFormat(qint32 format)
{
    return clipboard_.isFormatAvailable(platform::ClipboardFormat(format));
}

ClipboardSession::MemoryHandle ClipboardSession::dataBlock(qint32 format)
{
    if (notOpen() || !hasDataForFormat(format))
        return 0;
    const auto block = clipboard_.data(platform::ClipboardFormat(format));
    return block ? blocks_.allocate(*block) : 0;
}

bool ClipboardSession::binaryData(qint32 format, QByteArray& bytes, qint32* endHandle)
{
    bytes.clear();
    const MemoryHandle handle = dataBlock(format);
    if (handle == 0)
        return false;
    const QByteArray block = blocks_.block(handle).value_or(QByteArray());
    // The last two bytes of every block are taken to be its terminator.
    const qsizetype n = block.size() - 2;
    if (endHandle)
        *endHandle = qint32(quint32(handle) + quint32(n));
    else if (n > 0)
        bytes = block.left(n);
    return n > 0;
}

qint32 ClipboardSession::textEndHandle(WindowHandle window)
{
    open(window);
    QByteArray scratch;
    qint32 handle = 0;
    binaryData(platform::format::Text, scratch, &handle);
    close();
    return handle;
}

bool ClipboardSession::setBinaryData(qint32 format, const QByteArray& bytes)
{
    if (notOpen())
        return false;
    return clipboard_.setData(platform::ClipboardFormat(format), bytes);
}

bool ClipboardSession::setDataBlock(qint32 format, MemoryHandle handle)
{
    const auto block = blocks_.take(handle);
    return block && clipboard_.setData(platform::ClipboardFormat(format), *block);
}

QString ClipboardSession::unicodeText()
{
    const WindowHandle owner = firstForm_;
    open(owner);
    QByteArray bytes;
    if (binaryData(platform::format::UnicodeText, bytes)) {
        close();
        return platform::blocks::fromUnicodeText(bytes);
    }
    close();
    const QString text = clipboard_.text();
    open(owner);
    close();
    return text;
}

bool ClipboardSession::textData(qint32 format, QString& text)
{
    if (format == platform::format::Text || format == platform::format::UnicodeText) {
        // The toolkit's own text read opens the clipboard itself.
        const std::optional<WindowHandle> owner = open_ ? std::optional(owner_) : std::nullopt;
        close();
        text = clipboard_.text();
        if (owner)
            open(*owner);
        return true;
    }
    QByteArray bytes;
    if (!binaryData(format, bytes))
        return false;
    text = QString::fromLatin1(bytes);
    return true;
}

bool ClipboardSession::setText(const QString& text)
{
    if (text.isEmpty())
        return false;
    setBinaryData(platform::format::UnicodeText, platform::blocks::unicodeText(text));
    return setBinaryData(platform::format::Text, platform::blocks::ansiText(text));
}

bool ClipboardSession::fileList(QStringList& files, qint32& count)
{
    const MemoryHandle handle = dataBlock(platform::format::FileList);
    if (handle == 0)
        return false;
    const QStringList names = platform::blocks::fromFileList(blocks_.block(handle).value_or(QByteArray()));
    count = qint32(names.size());
    if (count > 0) {
        files.clear();
        for (const QString& name : names)
            files.append(name.left(FileNameBuffer - 1));
    }
    return true;
}

bool ClipboardSession::setFileList(const QStringList& files)
{
    if (notOpen())
        return false;
    return setBinaryData(platform::format::FileList, platform::blocks::fileList(files));
}

void ClipboardSession::clear()
{
    if (notOpen())
        return;
    clipboard_.empty();
}
