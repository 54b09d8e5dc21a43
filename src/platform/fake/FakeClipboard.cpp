#include "platform/fake/FakeClipboard.h"

namespace platform::fake {

ClipboardSnapshot::Item FakeClipboard::textItem(const QString& text)
{
    return {QStringLiteral("text/plain;charset=utf-8"), {}, 8, text.toUtf8()};
}

void FakeClipboard::putFromApplication(QList<ClipboardSnapshot::Item> items, std::int64_t processId)
{
    content = std::move(items);
    owner = processId;
    changed();
}

void FakeClipboard::changed()
{
    ++stamp;
    if (onChange)
        onChange();
}

QString FakeClipboard::text()
{
    if (ownerSilent)
        return {};
    for (const ClipboardSnapshot::Item& item : content)
        if (item.mimeType.startsWith(QStringLiteral("text/plain")))
            return QString::fromUtf8(item.bytes);
    return {};
}

bool FakeClipboard::setText(const QString& text)
{
    putFromApplication({textItem(text)}, ThisProcess);
    return true;
}

bool FakeClipboard::clear()
{
    putFromApplication({}, 0);
    return true;
}

ClipboardSnapshot FakeClipboard::snapshot()
{
    ClipboardSnapshot snapshot;
    snapshot.items = content;
    snapshot.complete = !snapshotIncomplete;
    return snapshot;
}

bool FakeClipboard::restore(const ClipboardSnapshot& snapshot)
{
    putFromApplication(snapshot.items, snapshot.isEmpty() ? 0 : ThisProcess);
    return true;
}

} // namespace platform::fake
