#include "FakeDesktop.h"
#include "Utf16.h"
#include "config/SettingsFiles.h"

#include <gtest/gtest.h>

namespace {

class SettingsFile : public testing::Test {
protected:
    FakeDesktop desktop;
    Settings settings;
    SettingsFiles ini{desktop.fakeFiles, settings};

    void userFile(const QByteArray& bytes) { desktop.fakeFiles.files.insert(FakeDesktop::UserFile, bytes); }
    void programFile(const QByteArray& bytes) { desktop.fakeFiles.files.insert(FakeDesktop::ProgramFile, bytes); }
    void withUserFolder() { desktop.fakeFiles.folders.insert("/home/user/.config/qlr"); }
    QString savedText() { return SettingsFiles::fromUtf16Le(desktop.fakeFiles.files.value(FakeDesktop::UserFile)); }
};

// The table's rows as "key=value" lines, so that a mismatch shows the whole table.
QStringList rows(const Settings& settings)
{
    QStringList out;
    for (const Settings::Entry& e : settings.entries())
        out.append(e.key + "=" + e.value);
    return out;
}

TEST_F(SettingsFile, LinesFollowTheFormatRules)
{
    withUserFolder();
    userFile(iniLines({"# comment=1", "k=1", "a=b=c", "=nokey", "no equals here", "", " #x=1",
                       "key = v", "[section]", "K=2", "empty="}));
    ini.load();
    EXPECT_EQ(rows(settings), QStringList({"k=1", "a=b=c", " #x=1", "key = v", "empty="}));
}

TEST_F(SettingsFile, PerUserFileWinsAndProgramFileAddsTheRest)
{
    withUserFolder();
    userFile(iniLines({"Color=0,0,0"}));
    programFile(iniLines({"color=255,255,255", "serviceurl=file:///page"}));
    ini.load();

    ASSERT_EQ(settings.entries().size(), 2);
    EXPECT_EQ(settings.entries()[0].key, "Color");
    EXPECT_EQ(settings.value("COLOR"), "0,0,0");
    EXPECT_EQ(settings.value("serviceurl"), "file:///page");
}

TEST_F(SettingsFile, EncodingsAndLineEnds)
{
    withUserFolder();
    const std::tuple<const char*, QByteArray, QStringList> cases[] = {
        {"byte-order mark is dropped", QByteArray("\xFF\xFE") + iniLines({"a=1", "b=2"}), {"a=1", "b=2"}},
        {"no byte-order mark", iniLines({"a=1", "b=2"}), {"a=1", "b=2"}},
        {"LF only is one line", utf16File("a=1\nb=2\n"), {"a=1\nb=2\n"}},
        {"lone CR does not end a line", utf16File("a=1\rb=2\r\n"), {"a=1\rb=2"}},
        {"only a byte-order mark", QByteArray("\xFF\xFE"), {}},
        {"empty file", QByteArray(), {}},
        {"odd trailing byte is dropped", iniLines({"a=1"}) + "x", {"a=1"}},
    };
    for (const auto& [name, bytes, expected] : cases) {
        userFile(bytes);
        ini.load();
        EXPECT_EQ(rows(settings), expected) << name;
    }
    // An eight-bit file read as UTF-16 yields no usable keys.
    userFile("Color=1,2,3\r\nBorder=1\r\n");
    ini.load();
    EXPECT_FALSE(settings.contains("Color"));
    EXPECT_FALSE(settings.contains("Border"));
}

TEST_F(SettingsFile, UnreadableOrMissingFilesContributeNothing)
{
    withUserFolder();
    userFile(iniLines({"a=1"}));
    desktop.fakeFiles.unreadable.insert(FakeDesktop::UserFile);
    programFile(iniLines({"b=2"}));
    ini.load();
    EXPECT_FALSE(settings.contains("a"));
    EXPECT_EQ(settings.value("b"), "2");
}

TEST_F(SettingsFile, HugeFileIsReadWhole)
{
    withUserFolder();
    QString text = "first=1\r\n";
    const QString filler = QString("x=") + QString(1000, 'y') + "\r\n";
    while (text.size() < 25'000'000)
        text += filler;
    text += "last=2\r\n";
    userFile(utf16File(text));
    ini.load();
    EXPECT_EQ(settings.value("first"), "1");
    EXPECT_EQ(settings.value("last"), "2");
    EXPECT_EQ(settings.entries().size(), 3);
}

TEST_F(SettingsFile, SaveRegeneratesTheFileFromTheTable)
{
    withUserFolder();
    userFile(iniLines({"# comment", "b=2", "", "B=3", "a=1"}));
    ini.load();
    ini.setDefault("ControlMode", "2");
    ini.setDefault("a", "9");
    settings.value("looked-up");
    ini.save();

    EXPECT_EQ(savedText(), "b=2\r\na=1\r\nControlMode=2\r\nlooked-up=\r\n");
    EXPECT_FALSE(desktop.fakeFiles.files.value(FakeDesktop::UserFile).startsWith("\xFF\xFE"));
}

TEST_F(SettingsFile, SaveThenLoadGivesTheSameTable)
{
    withUserFolder();
    settings.set("Weird Key ", " value with = and \xF0\x9F\x98\x80 and \"quotes\"");
    settings.set("lone", QString(QChar(0xD800)));
    settings.set("empty", "");
    ini.save();

    Settings reloaded;
    SettingsFiles other(desktop.fakeFiles, reloaded);
    other.load();
    EXPECT_EQ(rows(reloaded), rows(settings));
}

TEST_F(SettingsFile, FailedSaveKeepsTheOldFile)
{
    withUserFolder();
    const QByteArray old = iniLines({"Color=1,2,3"});
    userFile(old);
    ini.load();
    settings.set("Color", "4,5,6");
    desktop.fakeFiles.readOnlyFolders.insert("/home/user/.config/qlr");
    ini.save();

    EXPECT_EQ(desktop.fakeFiles.files.value(FakeDesktop::UserFile), old);
    EXPECT_EQ(settings.value("Color"), "4,5,6") << "the new value stays in memory";
}

TEST_F(SettingsFile, SettingsFolderRules)
{
    // Created when missing.
    EXPECT_EQ(ini.settingsFolder(), "/home/user/.config/qlr");
    EXPECT_TRUE(desktop.fakeFiles.folders.contains("/home/user/.config/qlr"));

    // Cannot be created: the program's folder.
    desktop.fakeFiles.folders.remove("/home/user/.config/qlr");
    desktop.fakeFiles.readOnlyFolders.insert(FakeDesktop::AppData);
    EXPECT_EQ(ini.settingsFolder(), "/opt/quillora");
    EXPECT_EQ(ini.settingsFolder("/elsewhere"), "/elsewhere");

    // No per-user folder at all: both files are the one beside the executable.
    desktop.fakeFiles.environment.remove("AppData");
    EXPECT_EQ(ini.userFilePath(), FakeDesktop::ProgramFile);
}

TEST_F(SettingsFile, ResetDeletesOnlyThePerUserFile)
{
    withUserFolder();
    userFile(iniLines({"Color=1,2,3"}));
    programFile(iniLines({"Color=255,255,255"}));
    ini.load();
    ini.reset();
    EXPECT_FALSE(desktop.fakeFiles.files.contains(FakeDesktop::UserFile));
    EXPECT_EQ(settings.value("Color"), "255,255,255");
}

TEST_F(SettingsFile, WithoutPerUserFolderTheFileBesideTheExecutableIsUsedButNeverDeleted)
{
    desktop.fakeFiles.environment.remove("AppData");
    programFile(iniLines({"a=1"}));
    ini.load();
    settings.set("b", "2");
    ini.save();
    EXPECT_EQ(SettingsFiles::fromUtf16Le(desktop.fakeFiles.files.value(FakeDesktop::ProgramFile)), "a=1\r\nb=2\r\n");

    settings.set("a", "changed");
    ini.reset();
    EXPECT_TRUE(desktop.fakeFiles.files.contains(FakeDesktop::ProgramFile));
    EXPECT_EQ(settings.value("a"), "1");
}

TEST(BaseName, DropsFolderAndLastSuffix)
{
    EXPECT_EQ(SettingsFiles::fileBaseName("/opt/quillora/qlr"), "qlr");
    EXPECT_EQ(SettingsFiles::fileBaseName("C:\\Program\\qlr.exe"), "qlr");
    EXPECT_EQ(SettingsFiles::fileBaseName("a.b.c"), "a.b");
    EXPECT_EQ(SettingsFiles::fileBaseName("a."), "a");
}

TEST(SettingsTable, KeysAreCaseBlindAndLookupsInsert)
{
    Settings settings;
    settings.set("Border", "1");
    EXPECT_EQ(settings.value("border"), "1");
    settings.set("BORDER", "0");
    EXPECT_EQ(rows(settings), QStringList{"Border=0"});
    EXPECT_EQ(settings.value("Missing"), "");
    EXPECT_TRUE(settings.contains("missing"));
    EXPECT_EQ(settings.number("missing"), 0.0);
    settings.set("word", "abc");
    EXPECT_FALSE(settings.number("word").has_value());
    EXPECT_FALSE(settings.flag("word"));
}

TEST(clamp, BringsNumbersIntoBounds)
{
    platform::fake::FakeFiles files;
    Settings settings;
    SettingsFiles ini(files, settings);
    const QList<std::pair<QString, QString>> cases{
        {"50", "100"}, {"450", "450"}, {"5000", "1000"}, {"", "100"}, {"abc", "100"}, {"100.5", "100.5"}};
    for (const auto& [stored, expected] : cases) {
        settings.set("transwidth", stored);
        ini.clamp("transwidth", 100, 1000);
        EXPECT_EQ(settings.value("transwidth"), expected) << stored.toStdString();
    }
}

struct FolderCase {
    const char* name;
    QString exePath;
    QStringList existingFolders;
    QString expectedFolder;
};

TEST(ProgramFolder, InstalledLayoutUsesTheDataFolderElseTheExecutablesFolder)
{
    const QList<FolderCase> cases{
        {"installed under /usr", "/usr/bin/qlr", {"/usr/bin", "/usr/share/quillora"}, "/usr/share/quillora"},
        {"relocated prefix", "/tmp/p x/bin/qlr", {"/tmp/p x/bin", "/tmp/p x/share/quillora"},
         "/tmp/p x/share/quillora"},
        {"prefix is the root", "/bin/qlr", {"/bin", "/share/quillora"}, "/share/quillora"},
        {"bin without a data folder", "/usr/bin/qlr", {"/usr/bin", "/usr/share"}, "/usr/bin"},
        {"build tree", "/work/build/qlr", {"/work/build", "/work/share/quillora"}, "/work/build"},
        {"folder merely ending in bin", "/home/robin/qlr", {"/home/share/quillora", "/home/robin"},
         "/home/robin"},
        {"executable in the root", "/qlr", {"/share/quillora"}, "/"},
    };
    for (const FolderCase& c : cases) {
        FakeDesktop desktop;
        desktop.fakeFiles.exePath = c.exePath;
        for (const QString& folder : c.existingFolders)
            desktop.fakeFiles.folders.insert(folder);
        Settings settings;
        SettingsFiles ini(desktop.fakeFiles, settings);
        EXPECT_EQ(ini.programFolder(), c.expectedFolder) << c.name;
    }
}

TEST(ProgramFolder, InstalledProgramReadsTheShippedFileFromTheDataFolder)
{
    FakeDesktop desktop;
    desktop.fakeFiles.exePath = "/usr/bin/qlr";
    desktop.fakeFiles.folders += {"/usr/bin", "/usr/share/quillora", "/home/user/.config/qlr"};
    desktop.fakeFiles.files.insert("/usr/share/quillora/qlr.ini",
                                   iniLines({"serviceurl=file:///usr/share/quillora/page/index.html"}));
    Settings settings;
    SettingsFiles ini(desktop.fakeFiles, settings);
    ini.load();
    EXPECT_EQ(settings.value("serviceurl"), "file:///usr/share/quillora/page/index.html");

    // Saving still goes to the per-user file, never into the data folder.
    ini.save();
    EXPECT_TRUE(desktop.fakeFiles.files.contains(FakeDesktop::UserFile));
    EXPECT_EQ(desktop.fakeFiles.files.size(), 2);
}

} // namespace
