#pragma once
#include <QByteArray>
#include <QString>

// A settings file's bytes as the program writes them: UTF-16LE, lines joined by CR LF.
inline QByteArray utf16File(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

inline QByteArray iniLines(std::initializer_list<const char*> lines)
{
    QString text;
    for (const char* line : lines)
        text += QString::fromUtf8(line) + "\r\n";
    return utf16File(text);
}
