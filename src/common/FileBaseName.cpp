#include "common/FileBaseName.h"

#include <algorithm>

QString fileBaseName(const QString& path)
{
    const qsizetype separator = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    QString name = path.mid(separator + 1);
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0)
        name.truncate(dot);
    return name;
}
