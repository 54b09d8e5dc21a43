#pragma once
#include "platform/SettingsStore.h"

namespace platform {

// The per-user settings store as one INI file per application:
// <root>/<application>/store.ini, one group per section.
class QtSettingsStore : public SettingsStore {
public:
    // root: the per-user settings folder (the parent of the application folders).
    explicit QtSettingsStore(QString root);

    QString value(const QString& application, const QString& section, const QString& key,
                  const QString& defaultValue) override;
    bool setValue(const QString& application, const QString& section, const QString& key,
                  const QString& value) override;

private:
    QString fileFor(const QString& application) const;
    QString root_;
};

} // namespace platform
