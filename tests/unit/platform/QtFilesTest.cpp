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

TEST(QtFiles, ReplaceWritesWholeFilesAndFailsWithoutHarm)
{
    QTemporaryDir dir;
    platform::QtFiles files;
    const QString path = dir.filePath("qlr.ini");

    ASSERT_TRUE(files.replaceFile(path, "first"));
    EXPECT_EQ(contents(path), "first");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    ASSERT_TRUE(files.replaceFile(path, "second")) << "a read-only file is replaced, not written into";
    EXPECT_EQ(contents(path), "second");

    EXPECT_FALSE(files.replaceFile(dir.filePath("missing/qlr.ini"), "x"));
    EXPECT_FALSE(QFile::exists(dir.filePath("missing")));

    // A folder in the target's place cannot be replaced; it stays.
    QDir(dir.path()).mkdir("taken");
    EXPECT_FALSE(files.replaceFile(dir.filePath("taken"), "x"));
    EXPECT_TRUE(QFileInfo(dir.filePath("taken")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary file left";
}

TEST(QtFiles, DeleteRemovesReadOnlyFilesAndFoldersAreCreatedWithParents)
{
    QTemporaryDir dir;
    platform::QtFiles files;
    const QString path = dir.filePath("a.ini");
    ASSERT_TRUE(files.replaceFile(path, "x"));
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    EXPECT_TRUE(files.deleteFile(path));
    EXPECT_FALSE(files.fileExists(path));
    EXPECT_TRUE(files.deleteFile(path)) << "deleting a missing file is no failure";

    EXPECT_TRUE(files.createFolder(dir.filePath("x/y/z")));
    EXPECT_TRUE(files.folderExists(dir.filePath("x/y/z")));
    EXPECT_FALSE(files.fileExists(dir.filePath("x/y/z")));
    EXPECT_FALSE(files.readFile(dir.filePath("nothing")).has_value());
}

TEST(QtFiles, AppDataFolderRule)
{
    platform::QtFiles files;
    const QByteArray saved = qgetenv("AppData");
    const QByteArray savedXdg = qgetenv("XDG_CONFIG_HOME");
    qputenv("AppData", "/data/app");
    EXPECT_EQ(files.appDataFolder(), "/data/app");
    qunsetenv("AppData");
    qputenv("XDG_CONFIG_HOME", "/xdg");
    EXPECT_EQ(files.appDataFolder(), "/xdg");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(files.appDataFolder(), qEnvironmentVariable("HOME") + "/.config");
    if (!saved.isNull())
        qputenv("AppData", saved);
    if (!savedXdg.isNull())
        qputenv("XDG_CONFIG_HOME", savedXdg);
}

TEST(QtSettingsStore, RowsSurviveANewInstance)
{
    QTemporaryDir dir;
    {
        platform::QtSettingsStore store(dir.path());
        EXPECT_EQ(store.value("qlr", "Applications", "xterm", "0"), "0");
        EXPECT_TRUE(store.setValue("qlr", "Applications", "xterm", "-1"));
        EXPECT_TRUE(store.setValue("qlr", "Applications", "firefox-esr", "1"));
    }
    platform::QtSettingsStore store(dir.path());
    EXPECT_EQ(store.value("qlr", "Applications", "xterm", "0"), "-1");
    EXPECT_EQ(store.value("qlr", "Applications", "firefox-esr", "0"), "1");
    EXPECT_EQ(store.value("qlr", "Other", "xterm", "none"), "none");
    EXPECT_TRUE(QFile::exists(dir.filePath("qlr/store.ini")));
}

} // namespace
