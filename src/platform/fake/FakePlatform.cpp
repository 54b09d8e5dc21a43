#include "platform/fake/FakePlatform.h"

namespace platform::fake {

QString FakeFiles::parentOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash <= 0)
        return "/";
    return path.left(slash);
}

bool FakeFiles::writable(const QString& folder) const
{
    return folders.contains(folder) && !readOnlyFolders.contains(folder);
}

bool FakeFiles::createFolder(const QString& path)
{
    if (folders.contains(path))
        return true;
    const QString parent = parentOf(path);
    if (!folders.contains(parent) && !createFolder(parent))
        return false;
    if (!writable(parent))
        return false;
    folders.insert(path);
    return true;
}

bool FakeFiles::deleteFile(const QString& path)
{
    if (!files.contains(path))
        return true;
    if (!writable(parentOf(path)))
        return false;
    files.remove(path);
    return true;
}

std::optional<QByteArray> FakeFiles::readFile(const QString& path)
{
    if (!files.contains(path) || unreadable.contains(path))
        return std::nullopt;
    return files.value(path);
}

bool FakeFiles::replaceFile(const QString& path, const QByteArray& bytes)
{
    ++replaceCount;
    if (!writable(parentOf(path)))
        return false;
    files.insert(path, bytes);
    return true;
}

} // namespace platform::fake
