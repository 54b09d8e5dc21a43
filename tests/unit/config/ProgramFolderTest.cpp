#include "FakeDesktop.h"
#include "Utf16.h"
#include "config/mdlINI.h"

#include <gtest/gtest.h>

namespace {

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
        mdlINI ini(desktop.fakeFiles, settings);
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
    mdlINI ini(desktop.fakeFiles, settings);
    ini.LoadSettings();
    EXPECT_EQ(settings.value("serviceurl"), "file:///usr/share/quillora/page/index.html");

    // Saving still goes to the per-user file, never into the data folder.
    ini.SaveSettings();
    EXPECT_TRUE(desktop.fakeFiles.files.contains(FakeDesktop::UserFile));
    EXPECT_EQ(desktop.fakeFiles.files.size(), 2);
}

} // namespace
