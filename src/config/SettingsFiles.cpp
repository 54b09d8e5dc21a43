#include "config/SettingsFiles.h"

#include "common/FileBaseName.h"
#include "common/NumberText.h"
#include "platform/Files.h"

#include <QtEndian>

SettingsFiles::SettingsFiles(platform::Files& files, Settings& settings) : files_(files), settings_(settings) {}

QString SettingsFiles::exeBaseName()
{
    return fileBaseName(files_.executablePath());
}

QString SettingsFiles::programFolder()
{
    const QString exe = files_.executablePath();
    const qsizetype separator = exe.lastIndexOf('/');
    const QString exeFolder = separator > 0 ? exe.left(separator) : QString("/");
    // Installed, the executable sits in <prefix>/bin and its data in
    // <prefix>/share/quillora; finding it from the executable keeps a relocated
    // prefix working. Anywhere else (the build tree) the data is beside it.
    if (separator >= 0 && exeFolder.endsWith(u"/bin")) {
        const QString dataFolder = exe.left(separator - 3) + "share/quillora";
        if (files_.folderExists(dataFolder))
            return dataFolder;
    }
    return exeFolder;
}

QString SettingsFiles::settingsFolder(const QString& fallback)
{
    const QString folder = fallback.isEmpty() ? programFolder() : fallback;
    const QString appData = files_.appDataFolder();
    if (appData.isEmpty())
        return folder;
    const QString candidate = appData + "/" + fileBaseName(exeBaseName());
    if (files_.folderExists(candidate))
        return candidate;
    return files_.createFolder(candidate) ? candidate : folder;
}

QString SettingsFiles::userFilePath()
{
    return settingsFolder() + "/" + exeBaseName() + ".ini";
}

QString SettingsFiles::programFilePath()
{
    return programFolder() + "/" + exeBaseName() + ".ini";
}

QByteArray SettingsFiles::toUtf16Le(const QString& text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<quint16>(text.at(i).unicode(), bytes.data() + 2 * i);
    return bytes;
}

QString SettingsFiles::fromUtf16Le(const QByteArray& bytes)
{
    // Every pair of bytes is one code unit, whatever it holds; an odd last byte is
    // not a code unit and is dropped.
    QString text(bytes.size() / 2, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        *out++ = QChar(qFromLittleEndian<quint16>(bytes.constData() + i));
    return text;
}

QString SettingsFiles::readText(const QString& path)
{
    const auto bytes = files_.readFile(path);
    if (!bytes)
        return QString();
    QString text = fromUtf16Le(*bytes);
    if (bytes->startsWith("\xFF\xFE"))
        text.remove(0, 1);
    return text;
}

void SettingsFiles::mergeFile(const QString& path)
{
    if (!files_.fileExists(path))
        return;
    const QString text = readText(path);
    for (const QStringView line : QStringView(text).split(u"\r\n")) {
        if (line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 1)
            continue;
        settings_.insertIfAbsent(line.left(equals).toString(), line.mid(equals + 1).toString());
    }
}

void SettingsFiles::load()
{
    settings_.clear();
    mergeFile(userFilePath());
    mergeFile(programFilePath());
}

bool SettingsFiles::writeText(const QString& path, const QString& text)
{
    // Reading drops a leading byte-order mark; a text that itself begins with one
    // gets a mark in front, so it reads back whole.
    const QString marked = text.startsWith(QChar(0xFEFF)) ? QChar(0xFEFF) + text : text;
    return files_.replaceFile(path, toUtf16Le(marked));
}

QString SettingsFiles::serialise(const Settings& settings)
{
    QString text;
    for (const Settings::Entry& entry : settings.entries()) {
        // A value ends at its line: a line break inside one (a language code offered
        // by the page, say) would otherwise start a line of its own and plant a setting.
        const qsizetype lineBreak = entry.value.indexOf(u"\r\n");
        text += entry.key + "=" + (lineBreak < 0 ? entry.value : entry.value.left(lineBreak)) + "\r\n";
    }
    return text;
}

void SettingsFiles::save()
{
    writeText(userFilePath(), serialise(settings_));
}

void SettingsFiles::reset()
{
    const QString userFile = userFilePath();
    if (userFile != programFilePath())
        files_.deleteFile(userFile);
    load();
}

void SettingsFiles::setDefault(const QString& key, const QString& value)
{
    settings_.insertIfAbsent(key, value);
}

void SettingsFiles::clamp(const QString& key, double lower, double upper)
{
    const auto low = settings_.number(key);
    if (!low || *low < lower)
        settings_.set(key, numbertext::format(lower));
    const auto high = settings_.number(key);
    if (high && *high > upper)
        settings_.set(key, numbertext::format(upper));
}
