// The Qt file access and per-user store that the real back ends share.
#include "platform/qt/QtFiles.h"
#include "platform/qt/QtSettingsStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

TEST(QtFiles, ReplacingIsWholeOrNothingAndTheStoreSurvivesANewInstance)
{
    QTemporaryDir dir;
    platform::QtFiles files;
    const QString path = dir.filePath("qlr.ini");
    ASSERT_TRUE(files.replaceFile(path, "first"));
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    ASSERT_TRUE(files.replaceFile(path, "second")) << "a read-only file is replaced, not written into";
    EXPECT_EQ(files.readFile(path), QByteArray("second"));
    EXPECT_FALSE(files.replaceFile(dir.filePath("missing/qlr.ini"), "x"));
    // A write cut off partway (the file-size limit below it) leaves the old file whole.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit tiny{4, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tiny);
    const bool replaced = files.replaceFile(path, "a much longer third version");
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(files.readFile(path), QByteArray("second"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"qlr.ini"}) << "no temporary file left";
    EXPECT_TRUE(files.deleteFile(path) && !files.fileExists(path));
    {
        platform::QtSettingsStore store(dir.path());
        EXPECT_EQ(store.value("qlr", "Applications", "xterm", "0"), "0");
        EXPECT_TRUE(store.setValue("qlr", "Applications", "xterm", "-1"));
    }
    EXPECT_EQ(platform::QtSettingsStore(dir.path()).value("qlr", "Applications", "xterm", "0"), "-1");
    EXPECT_TRUE(QFile::exists(dir.filePath("qlr/store.ini")));
}
