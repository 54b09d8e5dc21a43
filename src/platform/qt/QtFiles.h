#pragma once
#include "platform/Files.h"

namespace platform {

// File-system and environment access through Qt; shared by the real back ends.
class QtFiles : public Files {
public:
    QString environmentVariable(const QString& name) override;
    QString appDataFolder() override;
    QString executablePath() override;
    bool fileExists(const QString& path) override;
    bool folderExists(const QString& path) override;
    bool createFolder(const QString& path) override;
    bool deleteFile(const QString& path) override;
    std::optional<QByteArray> readFile(const QString& path) override;
    bool replaceFile(const QString& path, const QByteArray& bytes) override;
};

} // namespace platform
