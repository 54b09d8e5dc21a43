#pragma once
// Turning fuzz bytes into the program's text types.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace fuzztext {

inline QByteArray bytes(const std::string& raw)
{
    return QByteArray(raw.data(), qsizetype(raw.size()));
}

// Pairs of bytes as UTF-16 code units, lone surrogates and NULs included.
inline QString utf16(const std::string& raw)
{
    QString text;
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2)
        text.append(QChar(char16_t(std::uint8_t(raw[i]) | (std::uint8_t(raw[i + 1]) << 8))));
    return text;
}

// Latin-1 text (one byte a character); the fuzzer finds separators and digits faster
// this way than through UTF-16 pairs.
inline QString latin1(const std::string& raw)
{
    return QString::fromLatin1(raw.data(), qsizetype(raw.size()));
}

inline QString text(FuzzedDataProvider& data, std::size_t maxLength = 64)
{
    const std::string raw = data.ConsumeRandomLengthString(maxLength);
    return data.ConsumeBool() ? utf16(raw) : latin1(raw);
}

} // namespace fuzztext

// A failed invariant: abort so that libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            fprintf(stderr, "invariant failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);    \
            abort();                                                                               \
        }                                                                                          \
    } while (0)
