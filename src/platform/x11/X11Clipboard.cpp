#include "platform/x11/X11Clipboard.h"

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

} // namespace

bool X11Clipboard::setText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    // Characters beyond Latin-1 have no place in STRING: they become "?" there.
    QByteArray latin1;
    latin1.reserve(text.size());
    for (const QChar c : text)
        latin1.append(c.unicode() <= 0xFF ? char(c.unicode()) : '?');
    return selections_.own(Selection::Clipboard, {{"UTF8_STRING", "UTF8_STRING", 8, utf8},
                                                  {"text/plain;charset=utf-8", {}, 8, utf8},
                                                  {"text/plain", {}, 8, utf8},
                                                  {"STRING", "STRING", 8, latin1},
                                                  {"TEXT", "UTF8_STRING", 8, utf8}});
}

bool X11Clipboard::clear()
{
    return selections_.disown(Selection::Clipboard);
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
    // What this program serves is read from its own copy, not asked of itself.
    if (selections_.ownedHere(Selection::Clipboard)) {
        for (const ClipboardSnapshot::Item& item : selections_.ownData(Selection::Clipboard))
            if (item.mimeType == target)
                return item.bytes;
        return std::nullopt;
    }
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

QString X11Clipboard::text()
{
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
