#include "platform/ClipboardBlocks.h"

#include <QUrl>

namespace platform::blocks {
namespace {

constexpr int FileListHeaderSize = 20;

// Byte-wise little-endian access through QByteArray's bounds-checked indexing: the
// qendian.h helpers on raw data() pointers make GCC's -Warray-bounds misfire at -O2
// in sanitizer builds.
void writeLe32(QByteArray& block, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        block[at + i] = char((value >> (8 * i)) & 0xFF);
}

quint32 readLe32(const QByteArray& block, qsizetype at)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value |= quint32(quint8(block[at + i])) << (8 * i);
    return value;
}

QByteArray toAnsi(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes.append(c.unicode() <= 0xFF ? char(c.unicode()) : '?');
    return bytes;
}

} // namespace

QByteArray unicodeText(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2 + 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    bytes.append(2, '\0');
    return bytes;
}

QByteArray ansiText(const QString& text)
{
    QByteArray bytes = toAnsi(text);
    bytes.append('\0');
    return bytes;
}

QString fromUnicodeText(const QByteArray& block)
{
    QString text;
    text.reserve(block.size() / 2);
    for (qsizetype i = 0; i + 1 < block.size(); i += 2) {
        const char16_t unit = char16_t(quint8(block[i]) | (quint8(block[i + 1]) << 8));
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

QString fromAnsiText(const QByteArray& block)
{
    const qsizetype end = block.indexOf('\0');
    return QString::fromLatin1(end < 0 ? block : block.left(end));
}

QByteArray fileList(const QStringList& names)
{
    QByteArray block(FileListHeaderSize, '\0');
    writeLe32(block, 0, FileListHeaderSize);
    for (const QString& name : names) {
        block.append(toAnsi(name));
        block.append('\0');
    }
    block.append('\0');
    return block;
}

QStringList fromFileList(const QByteArray& block)
{
    if (block.size() < FileListHeaderSize)
        return {};
    const quint32 offset = readLe32(block, 0);
    const bool wide = readLe32(block, 16) != 0;
    if (offset < FileListHeaderSize || offset > quint32(block.size()))
        return {};
    QStringList names;
    qsizetype at = offset;
    const int unit = wide ? 2 : 1;
    while (at + unit <= block.size()) {
        QString name;
        while (at + unit <= block.size()) {
            const char16_t c = wide ? char16_t(quint8(block[at]) | (quint8(block[at + 1]) << 8)) : quint8(block[at]);
            at += unit;
            if (c == 0)
                break;
            name.append(QChar(c));
        }
        if (name.isEmpty())
            break; // the closing NUL (or a truncated block)
        names.append(name);
    }
    return names;
}

QByteArray uriList(const QStringList& paths)
{
    QByteArray list;
    for (const QString& path : paths)
        list += QUrl::fromLocalFile(path).toEncoded() + "\r\n";
    return list;
}

QStringList fromUriList(const QByteArray& uris)
{
    QStringList paths;
    for (const QByteArray& line : uris.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('#'))
            continue;
        const QUrl url = QUrl::fromEncoded(trimmed);
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace platform::blocks
