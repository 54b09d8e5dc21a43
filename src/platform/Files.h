#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// Environment and file-system access. Paths use "/" as separator.
class Files {
public:
    virtual ~Files() = default;

    virtual QString environmentVariable(const QString& name) = 0;
    // The per-user application-data folder: $AppData when set, else the desktop's
    // per-user configuration folder. Empty when there is none.
    virtual QString appDataFolder() = 0;
    // Full path of the running executable.
    virtual QString executablePath() = 0;

    virtual bool fileExists(const QString& path) = 0;
    virtual bool folderExists(const QString& path) = 0;
    // Creates the folder and any missing parents; false when it does not exist afterwards.
    virtual bool createFolder(const QString& path) = 0;
    // Removes the file even when it is read-only; false when it still exists afterwards.
    virtual bool deleteFile(const QString& path) = 0;
    // The whole file, or nothing when it cannot be read.
    virtual std::optional<QByteArray> readFile(const QString& path) = 0;
    // Writes the bytes to a new file beside the target and renames it over the target,
    // so that a failed write leaves the old file as it was. False on any failure.
    virtual bool replaceFile(const QString& path, const QByteArray& bytes) = 0;
};

} // namespace platform
