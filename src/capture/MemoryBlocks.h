#pragma once
#include <QByteArray>
#include <QHash>
#include <cstdint>
#include <optional>

// Memory blocks handed out by 32-bit handle, as the clipboard class deals in them.
// Handles are spaced far apart so that a handle plus an offset inside its block never
// names another block.
class MemoryBlocks {
public:
    using Handle = std::int32_t;

    Handle allocate(const QByteArray& bytes);
    std::optional<QByteArray> block(Handle handle) const;
    // Hands the block over (it is no longer ours); nothing for an unknown handle.
    std::optional<QByteArray> take(Handle handle);
    void clear() { blocks_.clear(); }

private:
    static constexpr std::uint32_t Spacing = 0x10000;
    QHash<Handle, QByteArray> blocks_;
    std::uint32_t next_ = Spacing;
};
