// The two settings files: how they fill the table, how the table is saved without
// ever losing the old file, and where the files are.
#include "FakeDesktop.h"
#include "Utf16.h"
#include "config/SettingsFiles.h"
#include "config/StylePresets.h"

#include <gtest/gtest.h>

namespace {

// The table's rows as "key=value" lines, so that a mismatch shows the whole table.
QStringList rows(const Settings& settings)
{
    QStringList out;
    for (const Settings::Entry& e : settings.entries())
        out.append(e.key + "=" + e.value);
    return out;
}

class SettingsFilesTest : public testing::Test {
protected:
    FakeDesktop desktop;
    Settings settings;
    SettingsFiles files{desktop.fakeFiles, settings};

    void SetUp() override { desktop.fakeFiles.folders.insert(FakeDesktop::AppData + "/qlr"); }
    void userFile(const QByteArray& bytes) { desktop.fakeFiles.files.insert(FakeDesktop::UserFile, bytes); }
    void programFile(const QByteArray& bytes) { desktop.fakeFiles.files.insert(FakeDesktop::ProgramFile, bytes); }
    QString saved() { return SettingsFiles::fromUtf16Le(desktop.fakeFiles.files.value(FakeDesktop::UserFile)); }
    Settings reloaded()
    {
        Settings table;
        SettingsFiles(desktop.fakeFiles, table).load();
        return table;
    }
};

TEST_F(SettingsFilesTest, LinesEncodingsAndThePerUserFileFirst)
{
    userFile(iniLines({"# comment=1", "k=1", "a=b=c", "=nokey", "no equals", "", " #x=1", "K=2", "Color=0,0,0"}));
    programFile(iniLines({"color=255,255,255", "serviceurl=file:///page"}));
    files.load();
    EXPECT_EQ(rows(settings), QStringList({"k=1", "a=b=c", " #x=1", "Color=0,0,0", "serviceurl=file:///page"}));

    const std::tuple<const char*, QByteArray, QStringList> cases[] = {
        {"byte-order mark dropped", QByteArray("\xFF\xFE") + iniLines({"a=1", "b=2"}), {"a=1", "b=2"}},
        {"LF alone ends no line", utf16File("a=1\nb=2\n"), {"a=1\nb=2\n"}},
        {"lone CR ends no line", utf16File("a=1\rb=2\r\n"), {"a=1\rb=2"}},
        {"odd trailing byte dropped", iniLines({"a=1"}) + "x", {"a=1"}},
        {"eight-bit text gives no keys", "Color=1,2,3\r\n", {}},
    };
    desktop.fakeFiles.files.remove(FakeDesktop::ProgramFile);
    for (const auto& [name, bytes, expected] : cases) {
        userFile(bytes);
        files.load();
        EXPECT_EQ(rows(settings), expected) << name;
    }
    desktop.fakeFiles.unreadable.insert(FakeDesktop::UserFile);
    files.load();
    EXPECT_TRUE(settings.entries().isEmpty()) << "an unreadable file contributes nothing";
}

TEST_F(SettingsFilesTest, SaveWritesTheTableInOrderAndReadsBackTheSame)
{
    userFile(iniLines({"# comment", "b=2", "B=3", "a=1"}));
    files.load();
    files.setDefault("ControlMode", "2");
    files.setDefault("a", "9");
    settings.value("looked-up");
    files.save();
    EXPECT_EQ(saved(), "b=2\r\na=1\r\nControlMode=2\r\nlooked-up=\r\n");
    EXPECT_FALSE(desktop.fakeFiles.files.value(FakeDesktop::UserFile).startsWith("\xFF\xFE"));

    settings.set("Weird Key ", " value with = and \xF0\x9F\x98\x80");
    settings.set("lone", QString(QChar(0xD800)));
    files.save();
    EXPECT_EQ(rows(reloaded()), rows(settings));
}

TEST_F(SettingsFilesTest, AValueCannotPlantASettingAndAMarkedKeySurvives)
{
    const std::pair<const char*, const char*> cases[] = {
        {"es\r\ntimeoutstr=planted", "es"}, {"\r\nControlMode=3", ""}, {"a\rb\nc", "a\rb\nc"}};
    for (const auto& [value, kept] : cases) {
        settings.clear();
        settings.set("language", value);
        settings.set("timeoutstr", "late");
        files.save();
        EXPECT_EQ(rows(reloaded()), QStringList({QString("language=") + kept, "timeoutstr=late"})) << value;
    }
    // The file's own mark is dropped; a second one belongs to the first key.
    userFile("\xFF\xFE" + utf16File(QChar(0xFEFF) + QString("k=1\r\n")));
    files.load();
    files.save();
    EXPECT_EQ(reloaded().entries().first().key, QChar(0xFEFF) + QString("k"));
}

TEST_F(SettingsFilesTest, AFailedSaveKeepsTheOldFileAndTheNewValuesInMemory)
{
    const QByteArray old = iniLines({"Color=1,2,3"});
    userFile(old);
    files.load();
    settings.set("Color", "4,5,6");
    desktop.fakeFiles.readOnlyFolders.insert(FakeDesktop::AppData + "/qlr");
    files.save();
    EXPECT_EQ(desktop.fakeFiles.files.value(FakeDesktop::UserFile), old);
    EXPECT_EQ(settings.value("Color"), "4,5,6");
}

TEST_F(SettingsFilesTest, ResetDeletesOnlyThePerUserFile)
{
    userFile(iniLines({"Color=1,2,3"}));
    programFile(iniLines({"Color=255,255,255"}));
    files.load();
    files.reset();
    EXPECT_FALSE(desktop.fakeFiles.files.contains(FakeDesktop::UserFile));
    EXPECT_EQ(settings.value("Color"), "255,255,255");

    // Without a per-user folder both paths are the shipped file: saved into, never deleted.
    desktop.fakeFiles.environment.remove("AppData");
    settings.set("b", "2");
    files.save();
    EXPECT_TRUE(SettingsFiles::fromUtf16Le(desktop.fakeFiles.files.value(FakeDesktop::ProgramFile)).endsWith("b=2\r\n"));
    files.reset();
    EXPECT_TRUE(desktop.fakeFiles.files.contains(FakeDesktop::ProgramFile));
}

TEST_F(SettingsFilesTest, TheFoldersOfBothFiles)
{
    desktop.fakeFiles.folders.remove(FakeDesktop::AppData + "/qlr");
    EXPECT_EQ(files.settingsFolder(), FakeDesktop::AppData + "/qlr") << "created when missing";
    EXPECT_TRUE(desktop.fakeFiles.folders.contains(FakeDesktop::AppData + "/qlr"));
    desktop.fakeFiles.folders.remove(FakeDesktop::AppData + "/qlr");
    desktop.fakeFiles.readOnlyFolders.insert(FakeDesktop::AppData);
    EXPECT_EQ(files.settingsFolder(), "/opt/quillora") << "cannot be created: the program's folder";
    EXPECT_EQ(files.settingsFolder("/elsewhere"), "/elsewhere");

    const std::tuple<const char*, QStringList, const char*> layouts[] = {
        {"/usr/bin/qlr", {"/usr/bin", "/usr/share/quillora"}, "/usr/share/quillora"},
        {"/tmp/p x/bin/qlr", {"/tmp/p x/bin", "/tmp/p x/share/quillora"}, "/tmp/p x/share/quillora"},
        {"/usr/bin/qlr", {"/usr/bin"}, "/usr/bin"},
        {"/home/robin/qlr", {"/home/robin", "/home/share/quillora"}, "/home/robin"},
        {"/qlr", {"/share/quillora"}, "/"},
    };
    for (const auto& [exe, folders, expected] : layouts) {
        FakeDesktop installed;
        installed.fakeFiles.exePath = exe;
        installed.fakeFiles.folders.unite(QSet<QString>(folders.begin(), folders.end()));
        EXPECT_EQ(SettingsFiles(installed.fakeFiles, settings).programFolder(), expected) << exe;
    }
}

TEST_F(SettingsFilesTest, ClampBringsNumbersIntoBounds)
{
    const std::pair<const char*, const char*> cases[] = {
        {"50", "100"}, {"450", "450"}, {"5000", "1000"}, {"", "100"}, {"abc", "100"}, {"100.5", "100.5"}};
    for (const auto& [stored, expected] : cases) {
        settings.set("transwidth", stored);
        files.clamp("transwidth", 100, 1000);
        EXPECT_EQ(settings.value("transwidth"), expected) << stored;
    }
}

TEST(StylePresets, OnlyWellFormedPresetsUpToTheCountAreRead)
{
    Settings settings;
    for (const auto& [key, value] : {std::pair{"styles", "5"}, {"style1", "only|two"},
                                     {"style2", "Dark|45,45,48|230,230,230|150,150,150|1"},
                                     {"style4", "Odd|300,-5,x|10,20,30|1,2,3|yes"}})
        settings.set(key, value);
    const QList<StylePreset> presets = readStylePresets(settings);
    ASSERT_EQ(presets.size(), 2);
    EXPECT_EQ(presets[0].number, 2);
    EXPECT_EQ(presets[0].name, "Dark");
    EXPECT_EQ(presets[0].text, parseColour("230,230,230"));
    EXPECT_TRUE(presets[0].border);
    EXPECT_EQ(presets[1].background, 0u) << "an unreadable colour is black";
    EXPECT_FALSE(presets[1].border) << "an unreadable flag is off";
    EXPECT_FALSE(settings.contains("style3")) << "absent presets are not added";
    settings.set("styles", "abc");
    EXPECT_TRUE(readStylePresets(settings).isEmpty());
}

} // namespace
