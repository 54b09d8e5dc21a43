// The desktop opener behind shellOpen: what reaches xdg-open, and how its outcome
// and the local checks map onto the open results.
#include "platform/x11/X11Shell.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using platform::Shell;

void writeFile(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

// Stand-ins for xdg-open and xdg-mime first on PATH: the opener logs each argument
// on its own line and ends as told; the table knows a program for text/plain only.
class StubbedOpener : public testing::Test {
protected:
    QTemporaryDir root;
    QByteArray savedPath = qgetenv("PATH");
    platform::x11::X11Shell shell;

    void SetUp() override
    {
        ASSERT_TRUE(QDir(root.path()).mkpath("bin"));
        writeFile(bin("xdg-open"), "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$(dirname \"$0\")/log\"; done\n"
                                   "sleep \"$(cat \"$(dirname \"$0\")/sleep\" 2>/dev/null || echo 0)\"\n"
                                   "exit \"$(cat \"$(dirname \"$0\")/exit\" 2>/dev/null || echo 0)\"\n",
                  true);
        writeFile(bin("xdg-mime"), "#!/bin/sh\n[ \"$3\" = text/plain ] && echo vim.desktop\nexit 0\n", true);
        qputenv("PATH", bin("").toUtf8() + ":" + savedPath);
    }
    void TearDown() override { qputenv("PATH", savedPath); }

    QString bin(const QString& name) const { return root.path() + "/bin/" + name; }
    QString path(const QString& name) const { return root.path() + "/" + name; }
    void openerEnds(int code, int afterSeconds = 0)
    {
        writeFile(bin("exit"), QByteArray::number(code));
        writeFile(bin("sleep"), QByteArray::number(afterSeconds));
    }
    QStringList opened() const
    {
        QFile log(bin("log"));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    }
};

TEST_F(StubbedOpener, TargetsReachTheOpenerAsOneUtf8ArgumentEach)
{
    const QString document = path("Überraschung файл mit Leerzeichen.txt");
    writeFile(document, "text\n");
    EXPECT_EQ(shell.open(document), Shell::Opened);
    EXPECT_EQ(shell.open(QUrl::fromLocalFile(document).toString()), Shell::Opened);
    EXPECT_EQ(shell.open("https://example.org/a b?q=\"x\"&y=1"), Shell::Opened);
    EXPECT_EQ(shell.open("  mailto:someone@example.org "), Shell::Opened);
    EXPECT_EQ(opened(), QStringList({document, document, "https://example.org/a%20b?q=%22x%22&y=1",
                                     "mailto:someone@example.org"}));
}

TEST_F(StubbedOpener, LocalTargetsAreCheckedBeforeTheOpenerRuns)
{
    ASSERT_TRUE(QDir(root.path()).mkpath("folder"));
    writeFile(path("folder/data.qlrunknown"), QByteArray("\x00\x01\x02", 3));
    const std::pair<QString, int> cases[] = {
        {"", Shell::FileNotFound},
        {"   ", Shell::FileNotFound},
        {path("folder/missing.txt"), Shell::FileNotFound},
        {path("no such folder/missing.txt"), Shell::PathNotFound},
        {path("no/such/folder/"), Shell::PathNotFound},
        {"-h", Shell::FileNotFound},
        {path("folder/data.qlrunknown"), Shell::NoAssociation},
        {path("folder"), Shell::NoAssociation},
    };
    for (const auto& [target, result] : cases)
        EXPECT_EQ(shell.open(target), result) << target.toStdString();
    EXPECT_TRUE(opened().isEmpty());
    EXPECT_FALSE(shell.openWith(path("folder/data.qlrunknown"))) << "no chooser on this desktop";
}

TEST_F(StubbedOpener, TheOpenersOwnFailuresAreMapped)
{
    const std::pair<int, int> cases[] = {{2, Shell::FileNotFound}, {3, Shell::NoAssociation},
                                         {4, Shell::OpenFailed}, {1, Shell::OpenFailed}};
    for (const auto& [exitCode, result] : cases) {
        openerEnds(exitCode);
        EXPECT_EQ(shell.open("https://example.org/"), result) << exitCode;
    }
}

TEST_F(StubbedOpener, AnOpenerThatKeepsRunningHasOpened)
{
    openerEnds(4, 5);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(shell.open("https://example.org/"), Shell::Opened);
    EXPECT_LT(clock.elapsed(), 4000) << "the program does not wait for the opened program";
}

TEST_F(StubbedOpener, WithoutAnOpenerNothingCanBeOpened)
{
    qputenv("PATH", root.path().toUtf8() + "/empty");
    EXPECT_EQ(shell.open("https://example.org/"), Shell::NoAssociation);
}

// The installed freedesktop tools themselves.
TEST(DesktopOpener, MissingFilesFoldersAndUnknownTypesGetTheirResults)
{
    QTemporaryDir root;
    platform::x11::X11Shell shell;
    EXPECT_EQ(shell.open(root.path() + "/missing.txt"), Shell::FileNotFound);
    EXPECT_EQ(shell.open(root.path() + "/missing/missing.txt"), Shell::PathNotFound);
    const QString unknown = root.path() + "/data.qlrunknown";
    writeFile(unknown, QByteArray("\x00\x01\x02\x03", 4));
    EXPECT_EQ(shell.open(unknown), Shell::NoAssociation);
}

} // namespace
