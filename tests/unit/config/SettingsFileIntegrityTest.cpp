// Values and keys that the plain one-line format could misread: they must never add,
// drop or change a setting on the way through the file.
#include "FakeDesktop.h"
#include "Utf16.h"
#include "config/SettingsFiles.h"

#include <gtest/gtest.h>

namespace {

class SettingsFileIntegrity : public testing::Test {
protected:
    FakeDesktop desktop;
    Settings settings;
    SettingsFiles ini{desktop.fakeFiles, settings};

    void SetUp() override { desktop.fakeFiles.folders.insert("/home/user/.config/qlr"); }

    Settings reload()
    {
        Settings reloaded;
        SettingsFiles(desktop.fakeFiles, reloaded).load();
        return reloaded;
    }
};

TEST_F(SettingsFileIntegrity, LineBreakInAValueCannotPlantAnotherSetting)
{
    struct Case {
        const char* value;
        const char* saved;
    };
    const Case cases[] = {
        {"es\r\ntimeoutstr=planted", "es"},
        {"\r\nControlMode=3", ""},
        {"ca\r\n", "ca"},
        // Lone CR and LF are not line ends of this format and survive as they are.
        {"a\rb\nc", "a\rb\nc"},
    };
    for (const Case& c : cases) {
        settings.clear();
        settings.set("language", c.value);
        settings.set("timeoutstr", "late");
        settings.set("ControlMode", "2");
        ini.save();

        Settings reloaded = reload();
        ASSERT_EQ(reloaded.entries().size(), 3) << c.value;
        EXPECT_EQ(reloaded.value("language"), c.saved);
        EXPECT_EQ(reloaded.value("timeoutstr"), "late") << c.value;
        EXPECT_EQ(reloaded.value("ControlMode"), "2") << c.value;
    }
}

TEST_F(SettingsFileIntegrity, KeyStartingWithAByteOrderMarkReadsBackWhole)
{
    // A file that starts with two marks: the first is the file's, the second belongs to
    // the first key and has to survive a save.
    desktop.fakeFiles.files.insert(FakeDesktop::UserFile, "\xFF\xFE" + utf16File(QChar(0xFEFF) + QString("k=1\r\n")));
    ini.load();
    ASSERT_EQ(settings.entries().first().key, QChar(0xFEFF) + QString("k"));
    ini.save();

    EXPECT_EQ(reload().entries().first().key, QChar(0xFEFF) + QString("k"));
    // An ordinary table is still written without a mark.
    settings.clear();
    settings.set("k", "1");
    ini.save();
    EXPECT_FALSE(desktop.fakeFiles.files.value(FakeDesktop::UserFile).startsWith("\xFF\xFE"));
}

} // namespace
