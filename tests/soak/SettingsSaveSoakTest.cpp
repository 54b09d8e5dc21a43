// Saving the settings over and over while, halfway, the folder stops taking writes:
// the file on disk is always one complete save, never missing and never half-written.
#include "SoakScale.h"
#include "config/SettingsFiles.h"
#include "platform/qt/QtFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Files with the settings folder under a temporary directory.
class TemporaryFiles : public platform::QtFiles {
public:
    explicit TemporaryFiles(QString appData) : appData_(std::move(appData)) {}
    QString appDataFolder() override { return appData_; }
    QString executablePath() override { return "/opt/quillora/qlr"; }

private:
    QString appData_;
};

// Makes writes to the folder fail from now on. Without root the folder is made
// read-only; root writes through that, so the file-size limit also drops below the
// size of any save, which cuts a write off partway, the worst case for a save.
class WritesFail {
public:
    explicit WritesFail(const QString& folder) : folder_(folder)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const rlimit tiny{16, old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~WritesFail()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
        QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

private:
    QString folder_;
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

QList<Settings::Entry> loadFrom(platform::Files& files)
{
    Settings loaded;
    SettingsFiles(files, loaded).load();
    return loaded.entries();
}

bool sameEntries(const QList<Settings::Entry>& a, const QList<Settings::Entry>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].key != b[i].key || a[i].value != b[i].value)
            return false;
    return true;
}

TEST(SettingsSaveSoak, FileStaysWholeWhileTheFolderTurnsReadOnlyHalfway)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    TemporaryFiles files(home.path());
    Settings settings;
    SettingsFiles ini(files, settings);
    const QString folder = ini.settingsFolder();
    const QString path = ini.userFilePath();

    const int rounds = soakRounds(1000, 10000);
    QList<Settings::Entry> lastSaved;
    int failedSaves = 0;
    std::unique_ptr<WritesFail> readOnly;
    for (int round = 0; round < rounds; ++round) {
        if (round == rounds / 2) {
            readOnly = std::make_unique<WritesFail>(folder);
        }
        // Each save holds a value that grows, so a partial write would show.
        settings.set("round", QString::number(round));
        // Every save is far larger than the file-size limit below, whatever the round.
        settings.set("padding", QString(100, QChar(u'x')));
        settings.set("styles", QString(round % 300 + 10, QChar(u'é')));
        ini.save();

        const auto onDisk = loadFrom(files);
        if (!readOnly) {
            ASSERT_TRUE(sameEntries(onDisk, settings.entries())) << "round " << round;
            lastSaved = settings.entries();
        } else {
            ++failedSaves;
            ASSERT_TRUE(sameEntries(onDisk, lastSaved)) << "round " << round << ": the last good save is gone; on disk "
                                                        << onDisk.size() << " entries, " << QFileInfo(path).size() << " bytes";
        }
    }
    readOnly.reset();
    EXPECT_EQ(failedSaves, rounds - rounds / 2);
    // Nothing but the settings file is left behind (no temporary files).
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"qlr.ini"});

    // Writable again: the next save goes through.
    ini.save();
    EXPECT_TRUE(sameEntries(loadFrom(files), settings.entries()));
}

} // namespace
