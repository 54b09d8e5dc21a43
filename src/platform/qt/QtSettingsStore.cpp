#include "platform/qt/QtSettingsStore.h"

#include <QSettings>

namespace platform {

QtSettingsStore::QtSettingsStore(QString root) : root_(std::move(root)) {}

QString QtSettingsStore::fileFor(const QString& application) const
{
    return root_ + "/" + application + "/store.ini";
}

QString QtSettingsStore::value(const QString& application, const QString& section, const QString& key,
                               const QString& defaultValue)
{
    QSettings settings(fileFor(application), QSettings::IniFormat);
    settings.beginGroup(section);
    const QVariant stored = settings.value(key);
    if (!stored.isValid())
        return defaultValue;
    return stored.toString();
}

bool QtSettingsStore::setValue(const QString& application, const QString& section, const QString& key,
                               const QString& value)
{
    QSettings settings(fileFor(application), QSettings::IniFormat);
    settings.beginGroup(section);
    settings.setValue(key, value);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace platform
