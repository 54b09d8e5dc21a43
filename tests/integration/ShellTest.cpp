// The desktop opener: what reaches xdg-open, and how its outcome and the local checks
// map onto the open results that the program's messages are keyed by.
#include "DesktopDriver.h"
#include "platform/linux/DesktopShell.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using platform::OpenResult;

void writeFile(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// Stand-ins for xdg-open and xdg-mime first on PATH: the opener logs each argument on
// a line and ends as told; the table knows a program for text/plain only.
class StubbedOpener : public testing::Test {
protected:
    QTemporaryDir root;
    QByteArray savedPath = qgetenv("PATH");
    platform::os::DesktopShell shell;

    void SetUp() override
    {
        ASSERT_TRUE(QDir(root.path()).mkpath("bin"));
        writeFile(root.filePath("bin/xdg-open"), "#!/bin/sh\nd=$(dirname \"$0\")\n"
                                                 "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$d/log\"; done\n"
                                                 "sleep \"$(cat \"$d/sleep\" 2>/dev/null || echo 0)\"\n"
                                                 "exit \"$(cat \"$d/exit\" 2>/dev/null || echo 0)\"\n",
                  true);
        writeFile(root.filePath("bin/xdg-mime"), "#!/bin/sh\n[ \"$3\" = text/plain ] && echo vim.desktop\nexit 0\n",
                  true);
        qputenv("PATH", root.filePath("bin").toUtf8() + ":" + savedPath);
    }
    void TearDown() override { qputenv("PATH", savedPath); }
    void openerEnds(int code, int afterSeconds = 0)
    {
        writeFile(root.filePath("bin/exit"), QByteArray::number(code));
        writeFile(root.filePath("bin/sleep"), QByteArray::number(afterSeconds));
    }
    QStringList opened() const
    {
        QFile log(root.filePath("bin/log"));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)
                                             : QStringList();
    }
};

TEST_F(StubbedOpener, TargetsReachTheOpenerAsOneArgumentEachAfterTheLocalChecks)
{
    const QString document = root.filePath("Überraschung файл mit Leerzeichen.txt");
    writeFile(document, "text\n");
    EXPECT_EQ(shell.open(document), OpenResult::Opened);
    EXPECT_EQ(shell.open(QUrl::fromLocalFile(document).toString()), OpenResult::Opened);
    EXPECT_EQ(shell.open("https://example.org/a b?q=\"x\"&y=1"), OpenResult::Opened);
    EXPECT_EQ(shell.open("  mailto:someone@example.org "), OpenResult::Opened);
    EXPECT_EQ(opened(), QStringList({document, document, "https://example.org/a%20b?q=%22x%22&y=1",
                                     "mailto:someone@example.org"}));

    ASSERT_TRUE(QDir(root.path()).mkpath("folder"));
    writeFile(root.filePath("folder/data.qlrunknown"), QByteArray("\x00\x01\x02", 3));
    for (const auto& [target, result] : {std::pair{QString(), OpenResult::FileNotFound}, {QString("-h"), OpenResult::FileNotFound},
                                         {root.filePath("missing.txt"), OpenResult::FileNotFound},
                                         {root.filePath("no such folder/missing.txt"), OpenResult::PathNotFound},
                                         {root.filePath("folder/data.qlrunknown"), OpenResult::NoProgram},
                                         {root.filePath("folder"), OpenResult::NoProgram}})
        EXPECT_EQ(shell.open(target), result) << target.toStdString();
    EXPECT_EQ(opened().size(), 4) << "none of them reached the opener";
    EXPECT_FALSE(shell.openWith(root.filePath("folder/data.qlrunknown"))) << "no portal runs";

    // Where the desktop portal runs, its chooser is asked for, the file handed over open.
    DesktopDriver driver;
    QProcess* portal = driver.startDesktopServices({"--no-notifications"});
    ASSERT_NE(portal, nullptr) << "the desktop tests run with a session bus";
    EXPECT_TRUE(shell.openWith(root.filePath("folder/data.qlrunknown")));
    EXPECT_EQ(DesktopDriver::nextLine(portal), "open-file " + root.filePath("folder/data.qlrunknown") + " ask");
    EXPECT_TRUE(shell.openWith("https://example.org/a b"));
    EXPECT_EQ(DesktopDriver::nextLine(portal), "open-uri https://example.org/a%20b ask");
    EXPECT_FALSE(shell.openWith(root.filePath("missing.txt"))) << "nothing to hand over";
}

TEST_F(StubbedOpener, TheOpenersOutcomeIsMappedAndNeverWaitedFor)
{
    for (const auto& [exitCode, result] : {std::pair{2, OpenResult::FileNotFound}, {3, OpenResult::NoProgram},
                                           {4, OpenResult::Failed}, {1, OpenResult::Failed}}) {
        openerEnds(exitCode);
        EXPECT_EQ(shell.open("https://example.org/"), result) << exitCode;
    }
    openerEnds(4, 5);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(shell.open("https://example.org/"), OpenResult::Opened) << "an opener that keeps running has opened";
    EXPECT_LT(clock.elapsed(), 4000);
    qputenv("PATH", root.filePath("empty").toUtf8());
    EXPECT_EQ(shell.open("https://example.org/"), OpenResult::NoProgram) << "no opener at all";
}

} // namespace
