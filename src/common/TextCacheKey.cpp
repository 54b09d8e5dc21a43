#include "common/TextCacheKey.h"

#include <array>

namespace {

constexpr std::array<std::uint32_t, 256> makeTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr auto Table = makeTable();

} // namespace

std::uint32_t crc32(const QByteArray& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes)
        crc = Table[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QString textCacheKey(const QString& text)
{
    // Hashing the UTF-16 code units keeps every character, where a conversion to an
    // 8-bit code page would map different texts to the same bytes.
    QByteArray units;
    units.reserve(text.size() * 2);
    for (const QChar c : text) {
        units.append(static_cast<char>(c.unicode() & 0xFF));
        units.append(static_cast<char>(c.unicode() >> 8));
    }
    return "k" + QString::number(static_cast<std::int32_t>(crc32(units)));
}
