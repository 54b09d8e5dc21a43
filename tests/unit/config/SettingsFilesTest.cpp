// The two settings files: how they fill the table, how the table is saved without ever
// losing the old file, and where the files are.
#include "FakeDesktop.h"
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
    Settings reloaded()
    {
        Settings table;
        SettingsFiles(desktop.fakeFiles, table).load();
        return table;
    }
};

TEST_F(SettingsFilesTest, LinesEncodingsAndThePerUserFileFirst)
{
    userFile(FakeDesktop::settingsFile({"# comment=1", "k=1", "a=b=c", "=nokey", "no equals", "", " #x=1", "K=2",
                                        "Color=0,0,0"}));
    desktop.fakeFiles.files.insert(FakeDesktop::ProgramFile,
                                   FakeDesktop::settingsFile({"color=255,255,255", "serviceurl=file:///page"}));
    files.load();
    EXPECT_EQ(rows(settings), QStringList({"k=1", "a=b=c", " #x=1", "Color=0,0,0", "serviceurl=file:///page"}));
    desktop.fakeFiles.files.remove(FakeDesktop::ProgramFile);
    for (const auto& [bytes, expected] :
         {std::pair{QByteArray("\xFF\xFE") + FakeDesktop::settingsFile({"a=1", "b=2"}), QStringList{"a=1", "b=2"}},
          {SettingsFiles::toUtf16Le("a=1\nb=2\r\n"), QStringList{"a=1\nb=2"}}, // LF alone ends no line
          {FakeDesktop::settingsFile({"a=1"}) + "x", QStringList{"a=1"}},     // an odd last byte
          {QByteArray("Color=1,2,3\r\n"), QStringList{}}}) {                   // eight-bit text
        userFile(bytes);
        files.load();
        EXPECT_EQ(rows(settings), expected);
    }
    desktop.fakeFiles.unreadable.insert(FakeDesktop::UserFile);
    files.load();
    EXPECT_TRUE(settings.entries().isEmpty()) << "an unreadable file contributes nothing";
}

TEST_F(SettingsFilesTest, SaveWritesTheTableWholeAndAValueCannotPlantASetting)
{
    userFile(FakeDesktop::settingsFile({"# comment", "b=2", "B=3", "a=1"}));
    files.load();
    files.setDefault("ControlMode", "2");
    files.setDefault("a", "9");
    settings.set("language", "es\r\ntimeoutstr=planted");
    files.save();
    EXPECT_EQ(SettingsFiles::fromUtf16Le(desktop.fakeFiles.files.value(FakeDesktop::UserFile)),
              "b=2\r\na=1\r\nControlMode=2\r\nlanguage=es\r\n");
    settings.set("language", " value with = and \xF0\x9F\x98\x80 and a\rb\nc");
    settings.set("lone", QString(QChar(0xD800)));
    files.save();
    EXPECT_EQ(rows(reloaded()), rows(settings));
    // The file's own mark is dropped; a second one belongs to the first key.
    userFile("\xFF\xFE" + SettingsFiles::toUtf16Le(QChar(0xFEFF) + QString("k=1\r\n")));
    files.load();
    files.save();
    EXPECT_EQ(reloaded().entries().first().key, QChar(0xFEFF) + QString("k"));

    const QByteArray old = desktop.fakeFiles.files.value(FakeDesktop::UserFile);
    settings.set("k", "2");
    desktop.fakeFiles.readOnlyFolders.insert(FakeDesktop::AppData + "/qlr");
    files.save();
    EXPECT_EQ(desktop.fakeFiles.files.value(FakeDesktop::UserFile), old) << "a failed save keeps the old file";
    EXPECT_EQ(settings.value("k"), "2") << "and the new value in memory";
}

TEST_F(SettingsFilesTest, ResetDeletesOnlyThePerUserFileWhereverTheFilesAre)
{
    userFile(FakeDesktop::settingsFile({"Color=1,2,3"}));
    desktop.fakeFiles.files.insert(FakeDesktop::ProgramFile, FakeDesktop::settingsFile({"Color=255,255,255"}));
    files.load();
    files.reset();
    EXPECT_FALSE(desktop.fakeFiles.files.contains(FakeDesktop::UserFile));
    EXPECT_EQ(settings.value("Color"), "255,255,255");
    // Without a per-user folder both paths are the shipped file: saved into, never deleted.
    desktop.fakeFiles.environment.remove("AppData");
    files.save();
    files.reset();
    EXPECT_TRUE(desktop.fakeFiles.files.contains(FakeDesktop::ProgramFile));

    desktop.fakeFiles.environment.insert("AppData", FakeDesktop::AppData);
    desktop.fakeFiles.folders.remove(FakeDesktop::AppData + "/qlr");
    EXPECT_EQ(files.settingsFolder(), FakeDesktop::AppData + "/qlr") << "created when missing";
    desktop.fakeFiles.folders.remove(FakeDesktop::AppData + "/qlr");
    desktop.fakeFiles.readOnlyFolders.insert(FakeDesktop::AppData);
    EXPECT_EQ(files.settingsFolder(), "/opt/quillora") << "cannot be created: the program's folder";
    for (const auto& [exe, folders, expected] :
         {std::tuple{"/usr/bin/qlr", QStringList{"/usr/bin", "/usr/share/quillora"}, "/usr/share/quillora"},
          {"/usr/bin/qlr", QStringList{"/usr/bin"}, "/usr/bin"},
          {"/home/robin/qlr", QStringList{"/home/robin", "/home/share/quillora"}, "/home/robin"},
          {"/qlr", QStringList{"/share/quillora"}, "/"}}) {
        FakeDesktop installed;
        installed.fakeFiles.exePath = exe;
        installed.fakeFiles.folders.unite(QSet<QString>(folders.begin(), folders.end()));
        EXPECT_EQ(SettingsFiles(installed.fakeFiles, settings).programFolder(), expected) << exe;
    }
}

TEST_F(SettingsFilesTest, NumbersAreClampedAndOnlyWellFormedPresetsAreRead)
{
    for (const auto& [stored, expected] : {std::pair{"50", "100"}, {"5000", "1000"}, {"abc", "100"}, {"100.5", "100.5"}}) {
        settings.set("transwidth", stored);
        files.clamp("transwidth", 100, 1000);
        EXPECT_EQ(settings.value("transwidth"), expected) << stored;
    }
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
