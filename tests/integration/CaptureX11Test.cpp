// The capture and the clipboard on the real X clipboard: applications that copy only
// on their shortcut, terminals that answer from their selection, hung clipboard
// owners, and the user's clipboard given back format by format, byte for byte.
#include "DesktopDriver.h"
#include "WaitedCapture.h"
#include "capture/SelectedTextCapture.h"
#include "platform/Platform.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int QtKeyControl = 0x01000021;
constexpr int QtKeyInsert = 0x01000006;
constexpr int QtKeyC = 0x43;

class CaptureX11 : public testing::Test {
protected:
    std::unique_ptr<platform::Platform> desktop = platform::createPlatform();
    DesktopDriver driver;
    SelectedTextCapture capture{*desktop};
    int windows = 0;

    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
    }
    QString copy(WindowHandle window) { return waitedCapture(capture, window); }
    // Brings the placed window to the front and waits until the back end sees it there.
    WindowHandle inFront(const DesktopDriver::Window& window)
    {
        EXPECT_TRUE(window) << "the window never appeared";
        DesktopDriver::activate(window.id);
        EXPECT_TRUE(QTest::qWaitFor([&] { return desktop->applications().foregroundWindow() == window.id; }, 5000));
        return window.id;
    }
    // A copy-target window in front that copies its text only on the given shortcut;
    // extra: more of its options.
    QProcess* copyTargetInFront(const QString& copyOn, const QString& text, int lateMs = 0, int repeat = 1,
                                const QStringList& extra = {})
    {
        const QString title = QString("copy target %1 %2").arg(copyOn).arg(++windows);
        QProcess* target = driver.startCopyTarget(QStringList{"--copy-on", copyOn, "--text", text, "--late-ms",
                                                              QString::number(lateMs), "--title", title, "--repeat",
                                                              QString::number(repeat)} +
                                                  extra);
        inFront(DesktopDriver::waitForWindow(title));
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

TEST_F(CaptureX11, ApplicationsThatCopyOnlyOnTheirShortcutAndTheUsersRichClipboard)
{
    // Text, HTML and a picture of about 20 MB.
    ASSERT_NE(driver.startCopyTarget({"--own-clipboard", "--text", "the user's copy", "--picture-size", "2600"}),
              nullptr);
    const auto before = DesktopDriver::selectionContents();
    ASSERT_EQ(before.value("text/plain"), "the user's copy");
    ASSERT_TRUE(before.contains("text/html") && before.value("image/png").size() > 19 * 1024 * 1024);

    const std::tuple<const char*, int, QList<int>, int> cases[] = {
        {"ctrl-insert", 0, {QtKeyInsert}, 1},
        {"ctrl-c", 40, {QtKeyInsert, QtKeyC}, 1},   // caught by the final wait
        {"ctrl-insert", 0, {QtKeyInsert}, 200000}, // about 5 MB
        {"none", 0, {QtKeyInsert, QtKeyC}, 1},     // nothing selected
    };
    for (const auto& [copyOn, lateMs, keysSeen, repeat] : cases) {
        SCOPED_TRACE(std::string(copyOn) + " late " + std::to_string(lateMs));
        const QString selected = QString::fromUtf8("selected «%1» text").arg(copyOn);
        QProcess* target = copyTargetInFront(copyOn, selected, lateMs, repeat);
        const QString expected = QString(copyOn) == "none" ? QString() : selected.repeated(repeat);
        EXPECT_EQ(copy(desktop->applications().foregroundWindow()), expected);
        EXPECT_EQ(controlKeysReceived(target), keysSeen);
        EXPECT_EQ(DesktopDriver::selectionContents(), before) << "format by format, byte by byte";
    }
}

TEST_F(CaptureX11, OurOwnClipboardIsReadAtOnceAndAHungOrStallingOwnerGetsNoKeysAndKeepsItsClipboard)
{
    platform::Clipboard& clipboard = desktop->clipboard();
    // A clipboard of this very process is read without waiting for itself.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("copied in the program"));
    EXPECT_EQ(ClipboardAccess(clipboard).text(), QString::fromUtf8("copied in the program"));

    QProcess* owner = driver.startCopyTarget({"--own-clipboard"});
    ASSERT_NE(owner, nullptr);
    driver.freeze(owner);
    QElapsedTimer clock;
    clock.start();
    ClipboardAccess session(clipboard);
    EXPECT_EQ(session.text(), "");
    EXPECT_FALSE(clipboard.snapshot().complete);
    EXPECT_EQ(session.text(), "");
    EXPECT_LT(clock.elapsed(), 2000) << "one bounded wait, then the silent owner is not asked again";
    QProcess* target = copyTargetInFront("ctrl-c", "not copied");
    clock.restart();
    EXPECT_EQ(copy(desktop->applications().foregroundWindow()), "");
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(controlKeysReceived(target), QList<int>{}) << "a clipboard that cannot be put back is not replaced";

    // An owner that stalls midway, the first time its picture is asked for.
    ASSERT_NE(driver.startCopyTarget({"--own-clipboard", "--stall-ms", "1500"}), nullptr);
    const unsigned long stalling = DesktopDriver::selectionOwner();
    target = copyTargetInFront("ctrl-insert", "not copied");
    EXPECT_EQ(copy(desktop->applications().foregroundWindow()), "");
    EXPECT_EQ(controlKeysReceived(target), QList<int>{}) << "no shortcut without a whole copy to put back";
    QTest::qWait(1500);
    EXPECT_EQ(DesktopDriver::selectionOwner(), stalling);
    EXPECT_EQ(DesktopDriver::selectionContents().value("text/plain"), "copied text");
}

TEST_F(CaptureX11, AnApplicationsPictureOrAManagersRefillIsNeverTakenForTheSelectionAndNothingIsLost)
{
    // The application answers Ctrl+C with a picture: the user's clipboard comes back.
    ASSERT_NE(driver.startCopyTarget({"--own-clipboard", "--text", "the user's copy"}), nullptr);
    const auto before = DesktopDriver::selectionContents();
    QProcess* canvas = copyTargetInFront("ctrl-c", "copied text", 0, 1, {"--copy-picture"});
    EXPECT_EQ(copy(desktop->applications().foregroundWindow()), "");
    EXPECT_EQ(controlKeysReceived(canvas), QList<int>({QtKeyInsert, QtKeyC}));
    EXPECT_EQ(DesktopDriver::selectionContents(), before) << "the picture that answered the shortcut went again";

    // A clipboard manager that refills the emptied clipboard with its last item, while
    // the application copies nothing: that item is no selection, and it stays.
    QProcess* manager = driver.startCopyTarget({"--refill", "--text", "the manager's last item"});
    ASSERT_NE(manager, nullptr);
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return DesktopDriver::selectionContents().value("text/plain") == "the manager's last item"; }, 5000));
    copyTargetInFront("none", "never copied");
    EXPECT_EQ(copy(desktop->applications().foregroundWindow()), "");
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return DesktopDriver::selectionContents().value("text/plain") == "the manager's last item"; }, 5000));
}

TEST_F(CaptureX11, AtExitTheClipboardGoesToTheClipboardManagerByteForByte)
{
    platform::Clipboard& clipboard = desktop->clipboard();
    ASSERT_NE(driver.startCopyTarget({"--own-clipboard", "--picture-size", "600"}), nullptr);
    const auto before = DesktopDriver::selectionContents();
    ASSERT_TRUE(clipboard.restore(clipboard.snapshot())) << "the program owns the user's clipboard, as after a capture";
    EXPECT_FALSE(clipboard.handOverBeforeExit()) << "no manager: nothing to wait for";

    QTemporaryDir kept;
    // The Debian interpreter, which has the python3-xlib package.
    ASSERT_NE(driver.startReady("/usr/bin/python3",
                                {QLR_SOURCE_DIR "/tests/support/clipboard_manager_standin.py", kept.path()}),
              nullptr);
    ASSERT_TRUE(clipboard.handOverBeforeExit());
    for (auto item = before.begin(); item != before.end(); ++item) {
        QFile file(kept.filePath(QString(item.key()).replace("/", "%2F")));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == item.value()) << item.key().toStdString();
    }
}

class CaptureXterm : public CaptureX11 {
protected:
    QTemporaryDir folder;
    QString log;
    DesktopDriver::Window xterm;

    // An xterm whose program traps SIGINT and records every key that reaches it.
    void startXterm()
    {
        log = folder.filePath("received");
        driver.start("xterm", {"-title", "qlr capture xterm", "-geometry", "60x8+40+40", "-e", "bash", "-c",
                               QString("trap 'echo INT >> %1' INT; stty -icanon -echo min 1; "
                                       "printf 'selectme other words\\n'; "
                                       "while true; do IFS= read -r -n1 c && echo key >> %1; done")
                                   .arg(log)});
        xterm = DesktopDriver::waitForWindow("qlr capture xterm");
        inFront(xterm);
    }
    // Clicks on a character cell ("fixed" font: 6 x 13 pixels inside a 2-pixel border).
    void clickInXterm(int column, int row, int clicks)
    {
        DesktopDriver::run("xdotool", {"mousemove", "--window", QString::number(xterm.id),
                                       QString::number(2 + column * 6 + 3), QString::number(2 + row * 13 + 6),
                                       "click", "--repeat", QString::number(clicks), "--delay", "80", "1"});
    }
};

TEST_F(CaptureXterm, TheSelectionComesFromPrimaryWithoutAnyKeyAndAStaleOneIsNotTaken)
{
    startXterm();
    desktop->applications().notePrimaryButtonDown(0);
    clickInXterm(2, 0, 2);
    ASSERT_TRUE(QTest::qWaitFor([] { return DesktopDriver::selection("UTF8_STRING", "primary") == "selectme"; }, 5000));
    EXPECT_EQ(copy(xterm.id), "selectme");

    QTest::qWait(600); // not part of a multiple click
    desktop->applications().notePrimaryButtonDown(0);
    clickInXterm(30, 4, 1); // deselects; PRIMARY still holds the old word
    QTest::qWait(200);
    EXPECT_EQ(copy(xterm.id), "");
    QTest::qWait(300); // what reached the program is written at once
    EXPECT_FALSE(QFile::exists(log)) << "no key and no interrupt reached the terminal's program";

    // Another application's selection is never taken for the one in front.
    QProcess* target = copyTargetInFront("none", "not selected");
    EXPECT_EQ(copy(desktop->applications().foregroundWindow()), "");
    EXPECT_EQ(controlKeysReceived(target), (QList<int>{QtKeyInsert, QtKeyC})) << "the copy request did not answer";
}

TEST_F(CaptureXterm, ATerminalStalledAcrossTheReleaseGivesTheNewSelectionOrNothing)
{
    startXterm();
    const QString pid = QString::number(desktop->applications().windowProcessId(xterm.id));
    std::optional<std::uint32_t> pressTime;
    ASSERT_TRUE(desktop->input().deliverButtonEvents([&](const platform::Input::ButtonEvent& event) {
        if (event.down && event.button == Qt::LeftButton)
            pressTime = event.timeMs;
    }));
    for (const int stallMs : {100, 300, 600}) {
        clickInXterm(9, 0, 2);
        ASSERT_TRUE(QTest::qWaitFor([] { return DesktopDriver::selection("UTF8_STRING", "primary") == "other"; }, 5000));
        QTest::qWait(600); // not part of a multiple click
        // The user double-clicks "selectme" while the terminal is stopped; the press is
        // noted as the watcher notes it, with the last press's own time.
        DesktopDriver::run("kill", {"-STOP", pid});
        pressTime.reset();
        clickInXterm(2, 0, 2);
        ASSERT_TRUE(QTest::qWaitFor([&] { return pressTime.has_value(); }, 5000));
        QTest::qWait(100); // the second press
        desktop->applications().notePrimaryButtonDown(*pressTime);
        QProcess::startDetached("sh", {"-c", QString("sleep %1; kill -CONT %2").arg(stallMs / 1000.0).arg(pid)});
        const QString captured = copy(xterm.id);
        EXPECT_TRUE(captured == "selectme" || captured.isEmpty()) << stallMs << " ms: " << captured.toStdString();

        // Noticed only after the terminal took it, the press still comes first.
        ASSERT_TRUE(
            QTest::qWaitFor([] { return DesktopDriver::selection("UTF8_STRING", "primary") == "selectme"; }, 5000));
        desktop->applications().notePrimaryButtonDown(*pressTime);
        EXPECT_EQ(copy(xterm.id), "selectme") << stallMs;
        QTest::qWait(600);
    }
}

} // namespace
