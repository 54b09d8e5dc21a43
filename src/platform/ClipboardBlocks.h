#pragma once
// The byte shapes of the standard clipboard formats, shared by every back end that
// has to build them from text and file names (and read them back).

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform::blocks {

// UTF-16LE code units followed by a two-byte terminator.
QByteArray unicodeText(const QString& text);
// The text in the single-byte ANSI code page (Latin-1 here; other characters become
// "?") followed by one NUL.
QByteArray ansiText(const QString& text);
// The text of a Unicode block: its code units up to the first NUL (an odd last byte is
// ignored).
QString fromUnicodeText(const QByteArray& block);
// The text of an ANSI block, up to the first NUL.
QString fromAnsiText(const QByteArray& block);

// A file-list block: a 20-byte header {offset of the names 20, point 0 and 0,
// non-client flag 0, wide flag 0}, the names in ANSI each ending in a NUL, one more NUL.
QByteArray fileList(const QStringList& names);
// The names of a file-list block, narrow or wide; empty for a malformed block.
QStringList fromFileList(const QByteArray& block);

// Local file paths as a text/uri-list and back (other addresses are skipped).
QByteArray uriList(const QStringList& paths);
QStringList fromUriList(const QByteArray& uris);

} // namespace platform::blocks
