#pragma once
// The two settings files and how they fill and refill the settings table.
//
// The per-user file (in the settings folder) is read first and is the only one
// written; the file beside the executable holds the shipped defaults. Both are
// UTF-16LE text with CR LF line ends, "#" comments and key=value lines, where the
// first occurrence of a key wins.

#include "common/Settings.h"

#include <QString>

namespace platform {
class Files;
}

class SettingsFiles {
public:
    SettingsFiles(platform::Files& files, Settings& settings);

    // Empties the table and reads the per-user file, then the program-folder file.
    void load();
    // Adds the keys of one file that the table does not hold yet.
    void mergeFile(const QString& path);
    // The file's bytes as UTF-16LE text, without a leading byte-order mark; empty
    // when the file cannot be read.
    QString readText(const QString& path);
    // Writes the text as UTF-16LE without byte-order mark. The new file replaces the
    // old one only once it is complete, so a failed write keeps the old file.
    bool writeText(const QString& path, const QString& text);
    // Writes the whole table, in its order, to the per-user file. The outcome is not
    // reported: a failed save leaves the old file and keeps the values in memory.
    void save();
    // Deletes the per-user file and loads again, so the shipped defaults come back.
    // When the per-user path has fallen back to the shipped file, nothing is deleted.
    void reset();

    void setDefault(const QString& key, const QString& value);
    // Brings a numeric value inside [lower, upper]; an unreadable value takes the
    // lower bound.
    void clamp(const QString& key, double lower, double upper);

    // The folder of the per-user file, created when missing; the fallback (the
    // program's folder when empty) when there is no per-user folder.
    QString settingsFolder(const QString& fallback = QString());

    QString userFilePath();
    QString programFilePath();
    // The folder of the shipped files: <prefix>/share/quillora when the executable
    // is in <prefix>/bin and that folder exists, else the executable's own folder.
    QString programFolder();

    // The serialised form of the table, as save writes it.
    static QString serialise(const Settings& settings);
    static QByteArray toUtf16Le(const QString& text);
    static QString fromUtf16Le(const QByteArray& bytes);

private:
    QString exeBaseName();

    platform::Files& files_;
    Settings& settings_;
};
