// The Qt file access and per-user store that the real back ends share.
#include "platform/qt/QtFiles.h"
#include "platform/qt/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

TEST(QtFiles, ReplaceWritesWholeFilesAndAFailureHarmsNothing)
{
    QTemporaryDir dir;
    platform::QtFiles files;
    const QString path = dir.filePath("qlr.ini");
    ASSERT_TRUE(files.replaceFile(path, "first"));
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    ASSERT_TRUE(files.replaceFile(path, "second")) << "a read-only file is replaced, not written into";
    EXPECT_EQ(contents(path), "second");
    EXPECT_EQ(files.readFile(path), QByteArray("second"));
    EXPECT_FALSE(files.replaceFile(dir.filePath("missing/qlr.ini"), "x"));
    QDir(dir.path()).mkdir("taken");
    EXPECT_FALSE(files.replaceFile(dir.filePath("taken"), "x"));
    EXPECT_TRUE(QFileInfo(dir.filePath("taken")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary file left";

    EXPECT_TRUE(files.deleteFile(path));
    EXPECT_FALSE(files.fileExists(path));
    EXPECT_FALSE(files.readFile(path).has_value());
    EXPECT_TRUE(files.createFolder(dir.filePath("x/y/z")));
    EXPECT_TRUE(files.folderExists(dir.filePath("x/y/z")));
}

TEST(QtFiles, TheAppDataFolderAndTheStoreSurviveANewInstance)
{
    platform::QtFiles files;
    const QByteArray saved = qgetenv("AppData");
    qputenv("AppData", "/data/app");
    EXPECT_EQ(files.appDataFolder(), "/data/app");
    qunsetenv("AppData");
    qputenv("XDG_CONFIG_HOME", "/xdg");
    EXPECT_EQ(files.appDataFolder(), "/xdg");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(files.appDataFolder(), qEnvironmentVariable("HOME") + "/.config");
    if (!saved.isNull())
        qputenv("AppData", saved);

    QTemporaryDir dir;
    {
        platform::QtSettingsStore store(dir.path());
        EXPECT_EQ(store.value("qlr", "Applications", "xterm", "0"), "0");
        EXPECT_TRUE(store.setValue("qlr", "Applications", "xterm", "-1"));
    }
    platform::QtSettingsStore store(dir.path());
    EXPECT_EQ(store.value("qlr", "Applications", "xterm", "0"), "-1");
    EXPECT_EQ(store.value("qlr", "Other", "xterm", "none"), "none");
    EXPECT_TRUE(QFile::exists(dir.filePath("qlr/store.ini")));
}

} // namespace
