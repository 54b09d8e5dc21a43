#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

// Standard CRC-32 (reflected polynomial 0xEDB88320, as in zip and PNG).
std::uint32_t crc32(const QByteArray& bytes);

// The translation cache's key of a source text: "k" followed by the signed decimal
// value of the CRC-32 of the text's UTF-16LE code units.
QString textCacheKey(const QString& text);
