// Copying the selection out of the foreground application: the copy request, the
// shortcuts and the waits, and the user's clipboard given back whole.
#include "FakeDesktop.h"
#include "capture/SelectedTextCapture.h"
#include "platform/ClipboardBlocks.h"

#include <gtest/gtest.h>

namespace {

namespace fmt = platform::format;
namespace blocks = platform::blocks;
using Event = platform::fake::FakeKeyboard::Event;
using Blocks = QList<platform::fake::FakeClipboard::Block>;

constexpr WindowHandle App = 0x1200001;

Blocks textBlocks(const QString& text)
{
    return {{fmt::UnicodeText, blocks::unicodeText(text)}, {fmt::Text, blocks::ansiText(text)}};
}

// Ctrl down, key down, key up, Ctrl up.
QList<Event> shortcut(std::uint8_t key)
{
    return {{0x11, 0x45, 1}, {key, 0x45, 1}, {key, 0x45, 3}, {0x11, 0x45, 3}};
}

class CaptureTest : public testing::Test {
protected:
    FakeDesktop desktop;
    SelectedTextCapture capture{desktop};
    platform::fake::FakeClipboard& board = desktop.fakeClipboard;
    platform::fake::FakeClock& clock = desktop.fakeClock;

    void SetUp() override
    {
        capture.setOwnerWindow(0x800001);
        desktop.fakeWindows.foreground = App;
        desktop.fakeWindows.processIds.insert(App, 4242);
        desktop.fakeProcesses.exePaths.insert(4242, "/usr/bin/editor");
    }
    // The application copies its selection delayMs after the key goes down, as soon as
    // the program lets pending events run.
    void applicationCopiesOn(std::uint8_t key, const QString& text, int delayMs = 0)
    {
        applicationPutsOn(key, textBlocks(text), delayMs);
    }
    void applicationPutsOn(std::uint8_t key, const Blocks& blocks, int delayMs = 0)
    {
        auto copyAt = std::make_shared<std::optional<double>>();
        desktop.fakeKeyboard.onKey = [this, key, delayMs, copyAt](const Event& e) {
            if (e.virtualKey == key && !(e.flags & platform::key::KeyUp) && !*copyAt)
                *copyAt = clock.now + delayMs / 1000.0 - 1e-9;
        };
        clock.onProcessEvents = [this, blocks, copyAt] {
            if (*copyAt && clock.now >= **copyAt) {
                board.putFromApplication(blocks, 4242);
                copyAt->reset();
            }
        };
    }
};

TEST_F(CaptureTest, ARequestsAnswerLeavesTheClipboardAloneTheShortcutsPutItBackWhole)
{
    const Blocks users{{2, QByteArray(1024 * 1024, '\x7f')},
                       {fmt::FileList, blocks::fileList({"/tmp/a.png"})},
                       {board.registerFormat("application/x-custom"), QByteArray("\0\1\2", 3)}};
    board.putFromApplication(users);
    const std::uint64_t untouched = board.stamp;
    desktop.fakeWindows.onCopyMessage = [](WindowHandle) { return QString("from request") + QChar(0) + "x"; };
    EXPECT_EQ(capture.copySelectedText(App), "from request") << "read as off the clipboard, up to a NUL";
    EXPECT_TRUE(desktop.fakeKeyboard.events.isEmpty() && clock.sleptMs == 0);
    EXPECT_EQ(board.stamp, untouched) << "the clipboard is not even put back";

    const QList<Event> both = shortcut(0x2D) + shortcut(0x43);
    const std::tuple<std::optional<QString>, std::uint8_t, int, QString, QList<Event>, int> cases[] = {
        {QString(""), 0x2D, 0, "on insert", shortcut(0x2D), 60}, // an empty answer is no answer
        {{}, 0x43, 75, "late", both, 120 + 20},
        {{}, 0x43, 200, "", both, 120 + 11 * 10},                // too late
    };
    for (const auto& [answer, key, delayMs, expected, events, sleptMs] : cases) {
        desktop.fakeKeyboard.events.clear();
        clock.sleptMs = 0;
        board.putFromApplication(users);
        desktop.fakeWindows.onCopyMessage = [answer = answer](WindowHandle) { return answer; };
        applicationCopiesOn(key, expected.isEmpty() ? "too late" : expected, delayMs);
        EXPECT_EQ(capture.copySelectedText(App), expected);
        EXPECT_EQ(desktop.fakeKeyboard.events, events) << expected.toStdString();
        EXPECT_EQ(clock.sleptMs, sleptMs) << expected.toStdString();
        EXPECT_EQ(board.content, users) << "every format of the user's clipboard is back";
        EXPECT_FALSE(board.openedBy.has_value());
    }

    // An owner that does not hand every format over: no key is typed, nothing touched.
    board.snapshotIncomplete = true;
    desktop.fakeKeyboard.events.clear();
    const std::uint64_t before = board.stamp;
    EXPECT_EQ(capture.copySelectedText(App), "");
    EXPECT_TRUE(desktop.fakeKeyboard.events.isEmpty());
    EXPECT_EQ(board.stamp, before);
}

TEST_F(CaptureTest, ACopyTheUserMakesMeanwhileIsKeptAndTerminalsGetNoKeys)
{
    const Blocks usersNewCopy{{2, "a picture"}};
    board.putFromApplication(textBlocks("old"));
    int steps = 0;
    clock.onProcessEvents = [&] {
        if (++steps == 5)
            board.putFromApplication(usersNewCopy);
    };
    EXPECT_EQ(capture.copySelectedText(App), "");
    EXPECT_EQ(board.content, usersNewCopy) << "never overwritten by the restore";

    // The application answers with a picture (a canvas copying itself): that change
    // was the capture's doing, and the user's text comes back.
    board.putFromApplication(textBlocks("the user's text"));
    applicationPutsOn(0x43, {{2, "a picture"}});
    EXPECT_EQ(capture.copySelectedText(App), "");
    EXPECT_EQ(board.content, textBlocks("the user's text"));

    // A clipboard manager that refills the emptied clipboard with the user's last item
    // at once: that text is not the selection, and it stays.
    desktop.fakeKeyboard.onKey = nullptr;
    clock.onProcessEvents = nullptr;
    board.onChange = [this] {
        if (board.content.isEmpty())
            board.putFromApplication(textBlocks("the user's text"), 555);
    };
    EXPECT_EQ(capture.copySelectedText(App), "");
    EXPECT_EQ(board.content, textBlocks("the user's text"));
    board.onChange = nullptr;
    // A window whose process is unknown: nothing it could put there would be believed.
    desktop.fakeWindows.processIds.remove(App);
    desktop.fakeKeyboard.events.clear();
    EXPECT_EQ(capture.copySelectedText(App), "");
    EXPECT_TRUE(desktop.fakeKeyboard.events.isEmpty());
    desktop.fakeWindows.processIds.insert(App, 4242);

    board.heldElsewhere = true;
    applicationCopiesOn(0x2D, "selected");
    EXPECT_EQ(capture.copySelectedText(App), "") << "a clipboard held open elsewhere is not read";
    board.heldElsewhere = false;

    constexpr WindowHandle Terminal = 0x2200001;
    desktop.fakeWindows.processIds.insert(Terminal, 777);
    desktop.fakeWindows.classes.insert(Terminal, {"foot", "foot"});
    for (const auto& [windowClass, executable, focus] :
         {std::tuple{QStringList{"xterm", "XTerm"}, "/usr/bin/xterm", App},
          {QStringList{}, "/usr/bin/kitty", App}, {QStringList{"editor"}, "/usr/bin/editor", Terminal}}) {
        desktop.fakeWindows.classes.insert(App, windowClass);
        desktop.fakeProcesses.exePaths.insert(4242, executable);
        desktop.fakeWindows.foreground = focus;
        desktop.fakeKeyboard.events.clear();
        clock.sleptMs = 0;
        desktop.fakeWindows.onCopyMessage = [](WindowHandle) { return std::nullopt; };
        EXPECT_EQ(capture.copySelectedText(App), "");
        desktop.fakeWindows.onCopyMessage = [](WindowHandle) { return std::optional<QString>("ls -l"); };
        EXPECT_EQ(capture.copySelectedText(App), "ls -l") << "the terminal's selection still arrives";
        EXPECT_TRUE(desktop.fakeKeyboard.events.isEmpty()) << executable;
        EXPECT_EQ(clock.sleptMs, 0) << "nothing asked for, nothing waited for";
    }

    // Where no program may type into another (Wayland), the clipboard is left alone.
    desktop.fakeWindows.classes.insert(App, {"editor"});
    desktop.fakeWindows.foreground = App;
    desktop.fakeWindows.onCopyMessage = [](WindowHandle) { return std::nullopt; };
    desktop.fakeKeyboard.typing = false;
    board.putFromApplication(textBlocks("the user's"));
    const std::uint64_t stamp = board.stamp;
    EXPECT_EQ(capture.copySelectedText(App), "");
    EXPECT_TRUE(desktop.fakeKeyboard.events.isEmpty());
    EXPECT_EQ(board.stamp, stamp) << "never emptied nor put back";
}

} // namespace
