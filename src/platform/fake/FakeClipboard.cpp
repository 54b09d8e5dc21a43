#include "platform/fake/FakeClipboard.h"

#include "platform/ClipboardBlocks.h"

namespace platform::fake {

void FakeClipboard::putFromApplication(QList<Block> blocks, std::int64_t processId)
{
    content = std::move(blocks);
    owner = processId;
    changed();
}

void FakeClipboard::changed()
{
    ++stamp;
    if (onChange)
        onChange();
}

std::optional<QByteArray> FakeClipboard::block(ClipboardFormat id) const
{
    for (const Block& b : content)
        if (b.first == id)
            return b.second;
    return std::nullopt;
}

bool FakeClipboard::open(WindowHandle owner)
{
    if (heldElsewhere || (openedBy && *openedBy != owner))
        return false;
    openedBy = owner;
    return true;
}

bool FakeClipboard::close()
{
    const bool wasOpen = openedBy.has_value();
    openedBy.reset();
    return wasOpen;
}

bool FakeClipboard::empty()
{
    if (!openedBy)
        return false;
    content.clear();
    owner = 0;
    changed();
    return true;
}

QList<ClipboardFormat> FakeClipboard::formats()
{
    QList<ClipboardFormat> ids;
    if (openedBy)
        for (const Block& b : content)
            ids.append(b.first);
    return ids;
}

QString FakeClipboard::registeredFormatName(ClipboardFormat id)
{
    return registered.nameOf(id);
}

ClipboardFormat FakeClipboard::registerFormat(const QString& name)
{
    return registered.idFor(name);
}

std::optional<QByteArray> FakeClipboard::data(ClipboardFormat id)
{
    return openedBy ? block(id) : std::nullopt;
}

bool FakeClipboard::setData(ClipboardFormat id, const QByteArray& bytes)
{
    if (!openedBy)
        return false;
    owner = ThisProcess;
    for (Block& b : content)
        if (b.first == id) {
            b.second = bytes;
            changed();
            return true;
        }
    content.append({id, bytes});
    changed();
    return true;
}

QString FakeClipboard::text()
{
    if (heldElsewhere || openedBy)
        return {};
    if (const auto unicode = block(format::UnicodeText))
        return blocks::fromUnicodeText(*unicode);
    if (const auto ansi = block(format::Text))
        return blocks::fromAnsiText(*ansi);
    return {};
}

ClipboardSnapshot FakeClipboard::snapshot()
{
    ClipboardSnapshot snapshot;
    for (const Block& b : content)
        snapshot.items.append({QString::number(b.first), {}, 8, b.second});
    snapshot.complete = !snapshotIncomplete;
    return snapshot;
}

bool FakeClipboard::restore(const ClipboardSnapshot& snapshot)
{
    if (heldElsewhere)
        return false;
    QList<Block> blocks;
    for (const auto& item : snapshot.items)
        blocks.append({item.name.toUInt(), item.bytes});
    putFromApplication(blocks, ThisProcess);
    return true;
}

} // namespace platform::fake
