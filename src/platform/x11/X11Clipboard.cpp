#include "platform/x11/X11Clipboard.h"

#include "platform/ClipboardBlocks.h"
#include "platform/x11/X11Selections.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <chrono>
#include <unistd.h>

namespace platform::x11 {
namespace {

using Selection = X11Selections::Selection;
constexpr int SnapshotLimitMs = 2000;
// How long the end of the program may wait for the clipboard manager.
constexpr int HandOverWaitMs = 1000;

// Text data types in the order they are preferred, UTF-8 ones first.
const QStringList Utf8TextTargets{"UTF8_STRING", "text/plain;charset=utf-8", "text/plain"};
const QStringList TextTargets{"UTF8_STRING", "text/plain;charset=utf-8", "text/plain", "STRING", "TEXT",
                              "COMPOUND_TEXT"};

} // namespace

bool X11Clipboard::open(WindowHandle owner)
{
    if (openedBy_ && *openedBy_ != owner)
        return false;
    openedBy_ = owner;
    return true;
}

bool X11Clipboard::close()
{
    if (!openedBy_)
        return false;
    if (pending_ && !pending_->isEmpty())
        selections_.own(Selection::Clipboard, itemsFor(*pending_));
    pending_.reset();
    openedBy_.reset();
    return true;
}

bool X11Clipboard::empty()
{
    if (!openedBy_)
        return false;
    pending_ = QList<Block>{};
    return selections_.disown(Selection::Clipboard);
}

QList<ClipboardFormat> X11Clipboard::formatsOnOffer()
{
    if (pending_) {
        QList<ClipboardFormat> ids;
        for (const Block& block : *pending_)
            ids.append(block.first);
        return ids;
    }
    const auto targets = offeredTargets();
    if (!targets)
        return {};
    QList<ClipboardFormat> ids;
    for (const QString& target : *targets) {
        if (TextTargets.contains(target)) {
            if (!ids.contains(format::UnicodeText))
                ids << format::UnicodeText << format::Text;
        } else if (target == "text/uri-list") {
            if (!ids.contains(format::FileList))
                ids << format::FileList;
        } else if (const ClipboardFormat id = registerFormat(target)) {
            ids << id;
        }
    }
    return ids;
}

int X11Clipboard::formatCount()
{
    return int(formatsOnOffer().size());
}

QList<ClipboardFormat> X11Clipboard::formats()
{
    return openedBy_ ? formatsOnOffer() : QList<ClipboardFormat>{};
}

bool X11Clipboard::isFormatAvailable(ClipboardFormat id)
{
    return formatsOnOffer().contains(id);
}

QString X11Clipboard::registeredFormatName(ClipboardFormat id)
{
    return registered_.nameOf(id);
}

ClipboardFormat X11Clipboard::registerFormat(const QString& name)
{
    return registered_.idFor(name);
}

bool X11Clipboard::toolkitOwns()
{
    return !selections_.ownedHere(Selection::Clipboard) && selections_.ownerProcessId(Selection::Clipboard) == getpid();
}

std::optional<QStringList> X11Clipboard::offeredTargets()
{
    if (!toolkitOwns())
        return selections_.targets(Selection::Clipboard);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!mime)
        return std::nullopt;
    QStringList targets = mime->formats();
    if (targets.contains("text/plain"))
        targets << "UTF8_STRING" << "STRING";
    return targets;
}

std::optional<QByteArray> X11Clipboard::ownerData(const QString& target)
{
    if (toolkitOwns()) {
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
        const QString format = Utf8TextTargets.contains(target) || target == "STRING" ? "text/plain" : target;
        if (!mime || !mime->hasFormat(format))
            return std::nullopt;
        return mime->data(format);
    }
    const auto item = selections_.read(Selection::Clipboard, target);
    return item ? std::optional(item->bytes) : std::nullopt;
}

std::optional<QString> X11Clipboard::ownerText()
{
    for (const QString& target : Utf8TextTargets)
        if (const auto bytes = ownerData(target))
            return QString::fromUtf8(*bytes);
    if (const auto bytes = ownerData("STRING"))
        return QString::fromLatin1(*bytes);
    return std::nullopt;
}

std::optional<QByteArray> X11Clipboard::data(ClipboardFormat id)
{
    if (!openedBy_)
        return std::nullopt;
    if (pending_) {
        for (const Block& block : *pending_)
            if (block.first == id)
                return block.second;
        return std::nullopt;
    }
    switch (id) {
    case format::UnicodeText:
    case format::Text: {
        const auto text = ownerText();
        if (!text)
            return std::nullopt;
        return id == format::UnicodeText ? blocks::unicodeText(*text) : blocks::ansiText(*text);
    }
    case format::FileList: {
        const auto uris = ownerData("text/uri-list");
        return uris ? std::optional(blocks::fileList(blocks::fromUriList(*uris))) : std::nullopt;
    }
    default: {
        const QString name = registeredFormatName(id);
        return name.isEmpty() ? std::nullopt : ownerData(name);
    }
    }
}

bool X11Clipboard::setData(ClipboardFormat id, const QByteArray& block)
{
    if (!openedBy_)
        return false;
    const bool offerable = id == format::Text || id == format::UnicodeText || id == format::FileList
                        || !registeredFormatName(id).isEmpty();
    if (!offerable)
        return false;
    if (!pending_)
        pending_ = QList<Block>{};
    for (Block& existing : *pending_)
        if (existing.first == id) {
            existing.second = block;
            return true;
        }
    pending_->append({id, block});
    return true;
}

QList<ClipboardSnapshot::Item> X11Clipboard::itemsFor(const QList<Block>& blocks)
{
    QList<ClipboardSnapshot::Item> items;
    std::optional<QString> text;
    for (const Block& block : blocks) {
        if (block.first == format::UnicodeText)
            text = blocks::fromUnicodeText(block.second);
        else if (block.first == format::Text && !text)
            text = blocks::fromAnsiText(block.second);
    }
    if (text) {
        const QByteArray utf8 = text->toUtf8();
        items << ClipboardSnapshot::Item{"UTF8_STRING", "UTF8_STRING", 8, utf8}
              << ClipboardSnapshot::Item{"text/plain;charset=utf-8", {}, 8, utf8}
              << ClipboardSnapshot::Item{"text/plain", {}, 8, utf8}
              << ClipboardSnapshot::Item{"STRING", "STRING", 8, blocks::ansiText(*text).chopped(1)}
              << ClipboardSnapshot::Item{"TEXT", "UTF8_STRING", 8, utf8};
    }
    for (const Block& block : blocks) {
        if (block.first == format::FileList)
            items << ClipboardSnapshot::Item{"text/uri-list", {}, 8, blocks::uriList(blocks::fromFileList(block.second))};
        else if (block.first >= format::FirstRegisteredFormat)
            items << ClipboardSnapshot::Item{registeredFormatName(block.first), {}, 8, block.second};
    }
    return items;
}

QString X11Clipboard::text()
{
    // The toolkit opens the clipboard itself, which fails while it is open.
    if (openedBy_)
        return {};
    return ownerText().value_or(QString());
}

ClipboardSnapshot X11Clipboard::snapshot()
{
    ClipboardSnapshot snapshot;
    if (selections_.ownedHere(Selection::Clipboard)) {
        snapshot.items = selections_.ownData(Selection::Clipboard);
        return snapshot;
    }
    const bool toolkit = toolkitOwns();
    if (!toolkit && selections_.owner(Selection::Clipboard) == 0)
        return snapshot; // an empty clipboard is copied whole
    const auto targets = offeredTargets();
    snapshot.complete = targets.has_value();
    if (!targets)
        return snapshot;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(SnapshotLimitMs);
    for (const QString& target : *targets) {
        if (toolkit) {
            if (const auto bytes = ownerData(target))
                snapshot.items.append({target, {}, 8, *bytes});
            continue;
        }
        bool answered = false;
        if (auto item = selections_.read(Selection::Clipboard, target, end, answered)) {
            snapshot.items.append(*item);
        } else if (!answered) {
            snapshot.complete = false;
            break;
        }
    }
    return snapshot;
}

bool X11Clipboard::restore(const ClipboardSnapshot& snapshot)
{
    if (snapshot.isEmpty())
        return true;
    return selections_.own(Selection::Clipboard, snapshot.items);
}

std::uint64_t X11Clipboard::changeStamp()
{
    return selections_.changeCount(Selection::Clipboard);
}

std::int64_t X11Clipboard::ownerProcessId()
{
    return selections_.ownerProcessId(Selection::Clipboard);
}

bool X11Clipboard::handOverBeforeExit()
{
    return selections_.handClipboardToManager(HandOverWaitMs);
}

} // namespace platform::x11
