#pragma once
#include <QString>

namespace platform {

// The per-user settings store: text values addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultValue when the row is absent.
    virtual QString value(const QString& application, const QString& section, const QString& key,
                          const QString& defaultValue) = 0;
    // Stores the text; false when the store could not be written.
    virtual bool setValue(const QString& application, const QString& section, const QString& key,
                          const QString& value) = 0;
};

} // namespace platform
