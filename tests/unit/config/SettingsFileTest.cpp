#include "FakeDesktop.h"
#include "Utf16.h"
#include "config/mdlINI.h"

#include <gtest/gtest.h>

namespace {

class SettingsFile : public testing::Test {
protected:
    FakeDesktop desktop;
    Settings settings;
    mdlINI ini{desktop.fakeFiles, settings};

    void userFile(const QByteArray& bytes) { desktop.fakeFiles.files.insert(FakeDesktop::UserFile, bytes); }
    void programFile(const QByteArray& bytes) { desktop.fakeFiles.files.insert(FakeDesktop::ProgramFile, bytes); }
    void withUserFolder() { desktop.fakeFiles.folders.insert("/home/user/.config/qlr"); }
    QString savedText() { return mdlINI::fromUtf16Le(desktop.fakeFiles.files.value(FakeDesktop::UserFile)); }
};

TEST_F(SettingsFile, LinesFollowTheFormatRules)
{
    withUserFolder();
    userFile(iniLines({"# comment=1", "k=1", "a=b=c", "=nokey", "no equals here", "", " #x=1",
                       "key = v", "[section]", "K=2", "empty="}));
    ini.LoadSettings();

    QList<Settings::Entry> expected{{"k", "1"}, {"a", "b=c"}, {" #x", "1"}, {"key ", " v"}, {"empty", ""}};
    ASSERT_EQ(settings.entries().size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(settings.entries()[i].key, expected[i].key) << i;
        EXPECT_EQ(settings.entries()[i].value, expected[i].value) << i;
    }
}

TEST_F(SettingsFile, PerUserFileWinsAndProgramFileAddsTheRest)
{
    withUserFolder();
    userFile(iniLines({"Color=0,0,0"}));
    programFile(iniLines({"color=255,255,255", "serviceurl=file:///page"}));
    ini.LoadSettings();

    ASSERT_EQ(settings.entries().size(), 2);
    EXPECT_EQ(settings.entries()[0].key, "Color");
    EXPECT_EQ(settings.value("COLOR"), "0,0,0");
    EXPECT_EQ(settings.value("serviceurl"), "file:///page");
}

TEST_F(SettingsFile, EncodingsAndLineEnds)
{
    withUserFolder();
    struct Case {
        const char* name;
        QByteArray bytes;
        QList<Settings::Entry> expected;
    };
    const QList<Case> cases{
        {"byte-order mark is dropped", QByteArray("\xFF\xFE") + iniLines({"a=1", "b=2"}), {{"a", "1"}, {"b", "2"}}},
        {"no byte-order mark", iniLines({"a=1", "b=2"}), {{"a", "1"}, {"b", "2"}}},
        {"LF only is one line", utf16File("a=1\nb=2\n"), {{"a", "1\nb=2\n"}}},
        {"lone CR does not end a line", utf16File("a=1\rb=2\r\n"), {{"a", "1\rb=2"}}},
        {"only a byte-order mark", QByteArray("\xFF\xFE"), {}},
        {"empty file", QByteArray(), {}},
        {"odd trailing byte is dropped", iniLines({"a=1"}) + "x", {{"a", "1"}}},
    };
    for (const Case& c : cases) {
        userFile(c.bytes);
        ini.LoadSettings();
        ASSERT_EQ(settings.entries().size(), c.expected.size()) << c.name;
        for (int i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(settings.entries()[i].key, c.expected[i].key) << c.name;
            EXPECT_EQ(settings.entries()[i].value, c.expected[i].value) << c.name;
        }
    }
}

TEST_F(SettingsFile, EightBitFileYieldsNoUsableKeys)
{
    withUserFolder();
    userFile("Color=1,2,3\r\nBorder=1\r\n");
    ini.LoadSettings();
    EXPECT_FALSE(settings.contains("Color"));
    EXPECT_FALSE(settings.contains("Border"));
}

TEST_F(SettingsFile, UnreadableOrMissingFilesContributeNothing)
{
    withUserFolder();
    userFile(iniLines({"a=1"}));
    desktop.fakeFiles.unreadable.insert(FakeDesktop::UserFile);
    programFile(iniLines({"b=2"}));
    ini.LoadSettings();
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
    ini.LoadSettings();
    EXPECT_EQ(settings.value("first"), "1");
    EXPECT_EQ(settings.value("last"), "2");
    EXPECT_EQ(settings.entries().size(), 3);
}

TEST_F(SettingsFile, SaveRegeneratesTheFileFromTheTable)
{
    withUserFolder();
    userFile(iniLines({"# comment", "b=2", "", "B=3", "a=1"}));
    ini.LoadSettings();
    ini.SetDefaultSetting("ControlMode", "2");
    ini.SetDefaultSetting("a", "9");
    settings.value("looked-up");
    ini.SaveSettings();

    EXPECT_EQ(savedText(), "b=2\r\na=1\r\nControlMode=2\r\nlooked-up=\r\n");
    EXPECT_FALSE(desktop.fakeFiles.files.value(FakeDesktop::UserFile).startsWith("\xFF\xFE"));
}

TEST_F(SettingsFile, SaveThenLoadGivesTheSameTable)
{
    withUserFolder();
    settings.set("Weird Key ", " value with = and \xF0\x9F\x98\x80 and \"quotes\"");
    settings.set("lone", QString(QChar(0xD800)));
    settings.set("empty", "");
    ini.SaveSettings();

    Settings reloaded;
    mdlINI other(desktop.fakeFiles, reloaded);
    other.LoadSettings();
    ASSERT_EQ(reloaded.entries().size(), settings.entries().size());
    for (int i = 0; i < settings.entries().size(); ++i) {
        EXPECT_EQ(reloaded.entries()[i].key, settings.entries()[i].key);
        EXPECT_EQ(reloaded.entries()[i].value, settings.entries()[i].value);
    }
}

TEST_F(SettingsFile, FailedSaveKeepsTheOldFile)
{
    withUserFolder();
    const QByteArray old = iniLines({"Color=1,2,3"});
    userFile(old);
    ini.LoadSettings();
    settings.set("Color", "4,5,6");
    desktop.fakeFiles.readOnlyFolders.insert("/home/user/.config/qlr");
    ini.SaveSettings();

    EXPECT_EQ(desktop.fakeFiles.files.value(FakeDesktop::UserFile), old);
    EXPECT_EQ(settings.value("Color"), "4,5,6") << "the new value stays in memory";
}

TEST_F(SettingsFile, SettingsFolderRules)
{
    // Created when missing.
    EXPECT_EQ(ini.GetSettingsFolder(), "/home/user/.config/qlr");
    EXPECT_TRUE(desktop.fakeFiles.folders.contains("/home/user/.config/qlr"));

    // Cannot be created: the program's folder.
    desktop.fakeFiles.folders.remove("/home/user/.config/qlr");
    desktop.fakeFiles.readOnlyFolders.insert(FakeDesktop::AppData);
    EXPECT_EQ(ini.GetSettingsFolder(), "/opt/quillora");
    EXPECT_EQ(ini.GetSettingsFolder("/elsewhere"), "/elsewhere");

    // No per-user folder at all: both files are the one beside the executable.
    desktop.fakeFiles.environment.remove("AppData");
    EXPECT_EQ(ini.userFilePath(), FakeDesktop::ProgramFile);
}

TEST_F(SettingsFile, WithoutPerUserFolderReadsAndWritesBesideTheExecutable)
{
    desktop.fakeFiles.environment.remove("AppData");
    programFile(iniLines({"a=1"}));
    ini.LoadSettings();
    settings.set("b", "2");
    ini.SaveSettings();
    EXPECT_EQ(mdlINI::fromUtf16Le(desktop.fakeFiles.files.value(FakeDesktop::ProgramFile)), "a=1\r\nb=2\r\n");
}

TEST_F(SettingsFile, ResetDeletesOnlyThePerUserFile)
{
    withUserFolder();
    userFile(iniLines({"Color=1,2,3"}));
    programFile(iniLines({"Color=255,255,255"}));
    ini.LoadSettings();
    ini.ResetSettings();
    EXPECT_FALSE(desktop.fakeFiles.files.contains(FakeDesktop::UserFile));
    EXPECT_EQ(settings.value("Color"), "255,255,255");
}

TEST_F(SettingsFile, ResetNeverDeletesTheShippedFile)
{
    desktop.fakeFiles.environment.remove("AppData");
    programFile(iniLines({"serviceurl=file:///page"}));
    ini.LoadSettings();
    settings.set("serviceurl", "changed");
    ini.ResetSettings();
    EXPECT_TRUE(desktop.fakeFiles.files.contains(FakeDesktop::ProgramFile));
    EXPECT_EQ(settings.value("serviceurl"), "file:///page");
}

TEST(BaseName, DropsFolderAndLastSuffix)
{
    EXPECT_EQ(mdlINI::GetBaseName("/opt/quillora/qlr"), "qlr");
    EXPECT_EQ(mdlINI::GetBaseName("C:\\Program\\qlr.exe"), "qlr");
    EXPECT_EQ(mdlINI::GetBaseName("a.b.c"), "a.b");
    EXPECT_EQ(mdlINI::GetBaseName("a."), "a");
}

TEST(SettingsTable, KeysAreCaseBlindAndLookupsInsert)
{
    Settings settings;
    settings.set("Border", "1");
    EXPECT_EQ(settings.value("border"), "1");
    settings.set("BORDER", "0");
    EXPECT_EQ(settings.entries().size(), 1);
    EXPECT_EQ(settings.entries()[0].key, "Border");
    EXPECT_EQ(settings.entries()[0].value, "0");

    EXPECT_EQ(settings.value("Missing"), "");
    EXPECT_TRUE(settings.contains("missing"));
    EXPECT_EQ(settings.number("missing"), 0.0);
    settings.set("word", "abc");
    EXPECT_FALSE(settings.number("word").has_value());
    EXPECT_FALSE(settings.flag("word"));
}

TEST(ClampSetting, BringsNumbersIntoBounds)
{
    platform::fake::FakeFiles files;
    Settings settings;
    mdlINI ini(files, settings);
    const QList<std::pair<QString, QString>> cases{
        {"50", "100"}, {"450", "450"}, {"5000", "1000"}, {"", "100"}, {"abc", "100"}, {"100.5", "100.5"}};
    for (const auto& [stored, expected] : cases) {
        settings.set("transwidth", stored);
        ini.ClampSetting("transwidth", 100, 1000);
        EXPECT_EQ(settings.value("transwidth"), expected) << stored.toStdString();
    }
}

} // namespace
