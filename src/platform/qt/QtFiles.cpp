#include "platform/qt/QtFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

QString QtFiles::environmentVariable(const QString& name)
{
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

QString QtFiles::appDataFolder()
{
    // $AppData wins so that a user (or a test) can move the settings; otherwise the
    // XDG configuration folder.
    const QString appData = environmentVariable("AppData");
    if (!appData.isEmpty())
        return appData;
    const QString xdg = environmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty())
        return xdg;
    const QString home = environmentVariable("HOME");
    return home.isEmpty() ? QString() : home + "/.config";
}

QString QtFiles::executablePath()
{
    return QCoreApplication::applicationFilePath();
}

bool QtFiles::fileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool QtFiles::folderExists(const QString& path)
{
    return QFileInfo(path).isDir();
}

bool QtFiles::createFolder(const QString& path)
{
    QDir().mkpath(path);
    return folderExists(path);
}

bool QtFiles::deleteFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return true;
    file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
    file.remove();
    return !QFileInfo::exists(path);
}

std::optional<QByteArray> QtFiles::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool QtFiles::replaceFile(const QString& path, const QByteArray& bytes)
{
    // QSaveFile writes a temporary file in the same folder and renames it over the
    // target only after every byte was written. Unbuffered, so that a write the file
    // system cuts short (disk full, file-size limit) shows in the count here: a
    // buffered write reports success and its short flush went unnoticed by commit().
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace platform
