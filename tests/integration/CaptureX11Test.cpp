// Capturing the selection of real applications on the virtual desktop.
#include "CaptureDesktop.h"
#include "capture/SelectedTextCapture.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

using capturetest::clipboardContents;
using capturetest::runServing;
using capturetest::waitUntil;

constexpr int QtKeyControl = 0x01000021;
constexpr int QtKeyInsert = 0x01000006;
constexpr int QtKeyC = 0x43;

class CaptureX11 : public capturetest::DesktopFixture {
protected:
    std::unique_ptr<SelectedTextCapture> capture;
    int windows = 0;

    void SetUp() override
    {
        DesktopFixture::SetUp();
        capture = std::make_unique<SelectedTextCapture>(*desktop);
        capture->setOwnerWindow(1);
    }

    // A copy-target window in front; returns its process.
    QProcess* copyTargetInFront(const QString& copyOn, const QString& text, int lateMs = 0, int repeat = 1)
    {
        const QString title = QString("copy target %1 %2").arg(copyOn).arg(++windows);
        QProcess* target = startCopyTarget({"--copy-on", copyOn, "--text", text, "--late-ms", QString::number(lateMs),
                                            "--title", title, "--repeat", QString::number(repeat)});
        focusWindowTitled(title, target->processId());
        return target;
    }

    // The keys (Qt key codes) the application received with Ctrl held.
    static QList<int> controlKeysReceived(QProcess* target)
    {
        QTest::qWait(100);
        QList<int> keys;
        for (const QByteArray& line : target->readAllStandardOutput().split('\n'))
            if (line.startsWith("press ") && line.endsWith("ctrl=1") && line.split(' ').value(1).toInt() != QtKeyControl)
                keys.append(line.split(' ').value(1).toInt());
        return keys;
    }
};

TEST_F(CaptureX11, ApplicationsThatCopyOnlyOnTheirShortcut)
{
    struct Case {
        const char* copyOn;
        int lateMs;
        QList<int> keysSeen;
        int repeat;
    };
    const std::vector<Case> cases{
        {"ctrl-insert", 0, {QtKeyInsert}, 1},
        {"ctrl-c", 0, {QtKeyInsert, QtKeyC}, 1},
        {"ctrl-c", 40, {QtKeyInsert, QtKeyC}, 1}, // caught by the final wait
        {"ctrl-insert", 0, {QtKeyInsert}, 200000}, // about 5 MB
    };
    // The user's clipboard holds text, HTML and a picture at once.
    startCopyTarget({"--own-clipboard", "--text", "the user's copy"});
    const auto before = clipboardContents();
    ASSERT_EQ(before.value("text/plain"), "the user's copy");

    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.copyOn) + " late " + std::to_string(c.lateMs));
        const QString selected = QString::fromUtf8("selected «%1» text").arg(c.copyOn);
        QProcess* target = copyTargetInFront(c.copyOn, selected, c.lateMs, c.repeat);
        const WindowHandle foreground = desktop->windows().foregroundWindow();
        EXPECT_EQ(capture->copySelectedText(foreground), selected.repeated(c.repeat));
        EXPECT_EQ(controlKeysReceived(target), c.keysSeen);
        EXPECT_EQ(clipboardContents(), before) << "format by format, byte by byte";
    }
}

TEST_F(CaptureX11, NothingSelectedGivesEmptyTextAndTheClipboardBack)
{
    xclipOwns("plain user text");
    const auto before = clipboardContents();
    QProcess* target = copyTargetInFront("none", "never copied");
    EXPECT_EQ(capture->copySelectedText(desktop->windows().foregroundWindow()), "");
    EXPECT_EQ(controlKeysReceived(target), (QList<int>{QtKeyInsert, QtKeyC}));
    EXPECT_EQ(clipboardContents(), before);
}

TEST_F(CaptureX11, AHungClipboardOwnerCostsOnlyAShortWait)
{
    ASSERT_NO_FATAL_FAILURE(hungClipboardOwner());
    copyTargetInFront("ctrl-c", "still captured");
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(capture->copySelectedText(desktop->windows().foregroundWindow()), "still captured");
    EXPECT_LT(clock.elapsed(), 2000);
}

class CaptureXterm : public CaptureX11 {
protected:
    QTemporaryDir folder;
    QString log;
    WindowHandle xterm = 0;

    // An xterm whose program traps SIGINT and records every key that reaches it.
    void startXterm()
    {
        log = folder.filePath("received");
        const QString script = QString("trap 'echo INT >> %1' INT; stty -icanon -echo min 1; "
                                       "printf 'selectme other words\\n'; "
                                       "while true; do IFS= read -r -n1 c && echo key >> %1; done")
                                   .arg(log);
        QProcess* process =
            start("xterm", {"-title", "qlr capture xterm", "-geometry", "60x8+40+40", "-e", "bash", "-c", script});
        xterm = focusWindowTitled("qlr capture xterm", process->processId());
        QTest::qWait(300);
    }
    void clickInXterm(int column, int row, int clicks)
    {
        // The "fixed" font: 6 x 13 pixel cells inside a 2-pixel border.
        runServing("xdotool", {"mousemove", "--window", QString::number(xterm), QString::number(2 + column * 6 + 3),
                               QString::number(2 + row * 13 + 6), "click", "--repeat", QString::number(clicks),
                               "--delay", "80", "1"});
    }
    // A double click on the first word, as the user selects it.
    void selectWordInXterm()
    {
        desktop->windows().notePrimaryButtonDown();
        clickInXterm(2, 0, 2);
        ASSERT_TRUE(waitUntil([] { return runServing("xclip", {"-o", "-selection", "primary"}) == "selectme"; }));
    }
    QByteArray received()
    {
        QTest::qWait(300);
        QFile file(log);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(CaptureXterm, TheSelectionComesFromPrimaryWithoutAnyKeyOrSignal)
{
    startXterm();
    xclipOwns("user clipboard");
    const auto before = clipboardContents();
    ASSERT_NO_FATAL_FAILURE(selectWordInXterm());
    EXPECT_EQ(capture->copySelectedText(desktop->windows().foregroundWindow()), "selectme");
    EXPECT_EQ(clipboardContents(), before);

    // A click deselects; PRIMARY still holds the old word but it is not taken again.
    QTest::qWait(600); // not part of a multiple click
    desktop->windows().notePrimaryButtonDown();
    clickInXterm(30, 4, 1);
    QTest::qWait(200);
    EXPECT_EQ(capture->copySelectedText(desktop->windows().foregroundWindow()), "");
    EXPECT_EQ(clipboardContents(), before);

    EXPECT_EQ(received(), "") << "no key and no interrupt reached the terminal's program";
}

TEST_F(CaptureXterm, ASelectionTheTerminalTakesJustAfterTheReleaseIsStillCaptured)
{
    // A busy terminal handles the button release only after the watcher has seen it:
    // the terminal is stopped while the word is double-clicked and resumed shortly
    // after the capture has begun.
    startXterm();
    const QString pid = QString::number(desktop->windows().windowProcessId(xterm));
    desktop->windows().notePrimaryButtonDown();
    ASSERT_EQ(runServing("kill", {"-STOP", pid}), "");
    clickInXterm(2, 0, 2);
    QProcess resume;
    resume.start("sh", {"-c", "sleep 0.05; kill -CONT " + pid});
    ASSERT_TRUE(resume.waitForStarted());
    const QString captured = capture->copySelectedText(xterm);
    resume.waitForFinished();
    runServing("kill", {"-CONT", pid});
    EXPECT_EQ(captured, "selectme");
}

TEST_F(CaptureXterm, AnotherApplicationsSelectionIsNeverTaken)
{
    startXterm();
    ASSERT_NO_FATAL_FAILURE(selectWordInXterm());
    QProcess* target = copyTargetInFront("none", "not selected");
    EXPECT_EQ(capture->copySelectedText(desktop->windows().foregroundWindow()), "");
    EXPECT_EQ(controlKeysReceived(target), (QList<int>{QtKeyInsert, QtKeyC})) << "the copy request did not answer";
}

} // namespace
