// Saving the settings over and over while, halfway, the folder stops taking writes:
// the file on disk is always one complete save, never missing and never half-written.
#include "SoakScale.h"
#include "config/SettingsFiles.h"
#include "platform/qt/QtFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

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

// Makes writes to the folder fail: it turns read-only, and since root writes through
// that, the file-size limit drops below any save, which cuts a write off partway.
class WritesFail {
public:
    explicit WritesFail(const QString& folder) : folder_(folder)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, SIG_IGN);
        QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const rlimit tiny{16, old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~WritesFail()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

private:
    QString folder_;
    rlimit old_{};
};

QStringList rows(const Settings& settings)
{
    QStringList out;
    for (const Settings::Entry& e : settings.entries())
        out.append(e.key + "=" + e.value);
    return out;
}

QStringList onDisk(platform::Files& files)
{
    Settings loaded;
    SettingsFiles(files, loaded).load();
    return rows(loaded);
}

TEST(SettingsSaveSoak, TheFileStaysWholeWhileTheFolderTurnsReadOnlyHalfway)
{
    QTemporaryDir home;
    TemporaryFiles files(home.path());
    Settings settings;
    SettingsFiles settingsFiles(files, settings);
    const QString folder = settingsFiles.settingsFolder();
    const int rounds = soakRounds(1000, 10000);
    QStringList lastSaved;
    std::unique_ptr<WritesFail> failing;
    for (int round = 0; round < rounds; ++round) {
        if (round == rounds / 2)
            failing = std::make_unique<WritesFail>(folder);
        // A value that grows, so that a partial write would show; every save is far
        // larger than the file-size limit.
        settings.set("round", QString::number(round));
        settings.set("styles", QString(round % 300 + 100, QChar(u'é')));
        settingsFiles.save();
        if (!failing)
            lastSaved = rows(settings);
        ASSERT_EQ(onDisk(files), lastSaved) << "round " << round;
    }
    failing.reset();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"qlr.ini"}) << "no temporary files";
    settingsFiles.save();
    EXPECT_EQ(onDisk(files), rows(settings)) << "writable again, the next save goes through";
}

} // namespace
