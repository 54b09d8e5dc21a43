#include "capture/MemoryBlocks.h"

MemoryBlocks::Handle MemoryBlocks::allocate(const QByteArray& bytes)
{
    Handle handle = 0;
    do {
        handle = Handle(next_);
        next_ = next_ >= 0x7FFF0000u ? Spacing : next_ + Spacing;
    } while (blocks_.contains(handle));
    blocks_.insert(handle, bytes);
    return handle;
}

std::optional<QByteArray> MemoryBlocks::block(Handle handle) const
{
    const auto found = blocks_.constFind(handle);
    return found == blocks_.constEnd() ? std::nullopt : std::optional(*found);
}

std::optional<QByteArray> MemoryBlocks::take(Handle handle)
{
    auto found = blocks_.find(handle);
    if (found == blocks_.end())
        return std::nullopt;
    QByteArray bytes = std::move(*found);
    blocks_.erase(found);
    return bytes;
}
