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
constexpr WindowHandle MainWindow = 0x800001;

Blocks textBlocks(const QString& text)
{
    return {{fmt::UnicodeText, blocks::unicodeText(text)}, {fmt::Text, blocks::ansiText(text)}};
}

// The key events of one shortcut: Ctrl down, key down, key up, Ctrl up.
QList<Event> shortcut(std::uint8_t key)
{
    return {{0x11, 0x45, 1}, {key, 0x45, 1}, {key, 0x45, 3}, {0x11, 0x45, 3}};
}

class CaptureTest : public testing::Test {
protected:
    FakeDesktop desktop;
    SelectedTextCapture capture{desktop};
    platform::fake::FakeClipboard& board = desktop.fakeClipboard;
    platform::fake::FakeKeyboard& keys = desktop.fakeKeyboard;
    platform::fake::FakeWindows& windows = desktop.fakeWindows;
    platform::fake::FakeClock& clock = desktop.fakeClock;

    void SetUp() override
    {
        capture.setOwnerWindow(MainWindow);
        windows.foreground = App;
        windows.processIds.insert(App, 4242);
        windows.classes.insert(App, {"editor", "Editor"});
        desktop.fakeProcesses.exePaths.insert(4242, "/usr/bin/editor");
    }

    // The application copies its selection delayMs after the key goes down, as soon as
    // the program lets pending events run.
    void applicationCopiesOn(std::uint8_t key, const QString& text, int delayMs = 0)
    {
        auto copyAt = std::make_shared<std::optional<double>>();
        keys.onKey = [this, key, delayMs, copyAt](const Event& e) {
            if (e.virtualKey == key && !(e.flags & platform::key::KeyUp) && !*copyAt)
                *copyAt = clock.now + delayMs / 1000.0 - 1e-9;
        };
        clock.onProcessEvents = [this, text, copyAt] {
            if (*copyAt && clock.now >= **copyAt) {
                board.putFromApplication(textBlocks(text));
                copyAt->reset();
            }
        };
    }
};

TEST_F(CaptureTest, TheCopyRequestThenEachShortcutThenAShortWait)
{
    const QList<Event> both = shortcut(0x2D) + shortcut(0x43);
    const std::tuple<const char*, std::optional<QString>, std::uint8_t, int, QString, QList<Event>, int> cases[] = {
        {"answers the copy request", QString("from request"), 0, 0, "from request", {}, 0},
        {"an empty answer is no answer", QString(""), 0x2D, 0, "on insert", shortcut(0x2D), 60},
        {"copies only on Ctrl+C", {}, 0x43, 0, "on c", both, 120},
        {"copies 75 ms late", {}, 0x43, 75, "late", both, 120 + 20},
        {"copies too late", {}, 0x43, 200, "", both, 120 + 11 * 10},
    };
    for (const auto& [name, answer, key, delayMs, expected, events, sleptMs] : cases) {
        SCOPED_TRACE(name);
        keys.events.clear();
        clock.sleptMs = 0;
        keys.onKey = nullptr;
        clock.onProcessEvents = nullptr;
        board.putFromApplication(textBlocks("user text"));
        windows.onCopyMessage = [answer = answer](WindowHandle) { return answer; };
        if (key)
            applicationCopiesOn(key, expected.isEmpty() ? "too late" : expected, delayMs);
        EXPECT_EQ(capture.copySelectedText(App), expected);
        EXPECT_EQ(keys.events, events);
        EXPECT_EQ(clock.sleptMs, sleptMs);
        EXPECT_EQ(windows.copyRequests.last(), App);
        EXPECT_EQ(board.content, textBlocks("user text")) << "the user's clipboard is back";
        EXPECT_FALSE(board.openedBy.has_value());
    }
}

TEST_F(CaptureTest, EveryFormatComesBackAndTheSelectionWasMarkedSecret)
{
    const Blocks rich{{2, QByteArray(3 * 1024 * 1024, '\x7f')},
                      {fmt::FileList, blocks::fileList({"/tmp/a.png"})},
                      {board.registerFormat("text/html"), "<b>x</b>"},
                      {board.registerFormat("application/x-custom"), QByteArray("\0\1\2", 3)},
                      {fmt::UnicodeText, blocks::unicodeText("x")}};
    for (const Blocks& content : {rich, Blocks{}}) {
        board.putFromApplication(content);
        applicationCopiesOn(0x2D, QString(1024 * 1024, QChar(0x05D0)));
        EXPECT_EQ(capture.copySelectedText(App).size(), 1024 * 1024);
        EXPECT_EQ(board.content, content);
    }

    windows.onCopyMessage = [](WindowHandle) { return std::optional<QString>("selected"); };
    bool sawMarkedSelection = false;
    board.onChange = [&] {
        if (board.block(fmt::UnicodeText) == blocks::unicodeText("selected"))
            sawMarkedSelection = board.block(board.registerFormat("x-kde-passwordManagerHint")) == "secret";
    };
    EXPECT_EQ(capture.copySelectedText(App), "selected");
    EXPECT_TRUE(sawMarkedSelection);
    EXPECT_EQ(board.content, Blocks{}) << "the restored data carry no mark";
}

TEST_F(CaptureTest, ACopyTheUserMakesMeanwhileIsNeverOverwritten)
{
    const Blocks usersNewCopy{{2, "a picture"}};
    board.putFromApplication(textBlocks("old"));
    int steps = 0;
    clock.onProcessEvents = [&] {
        if (++steps == 5)
            board.putFromApplication(usersNewCopy);
    };
    EXPECT_EQ(capture.copySelectedText(App), "");
    EXPECT_EQ(board.content, usersNewCopy);

    // A clipboard another program holds open: nothing is read, and nothing written.
    board.putFromApplication(textBlocks("user text"));
    board.heldElsewhere = true;
    applicationCopiesOn(0x2D, "selected");
    EXPECT_EQ(capture.copySelectedText(App), "");
    capture.putClipboardText("copy link");
    board.heldElsewhere = false;
    EXPECT_EQ(board.content, textBlocks("selected")) << "only the application itself wrote";
}

TEST_F(CaptureTest, NoKeystrokesIntoTerminalEmulators)
{
    constexpr WindowHandle Terminal = 0x2200001;
    windows.processIds.insert(Terminal, 777);
    windows.classes.insert(Terminal, {"foot", "foot"});
    const std::tuple<const char*, QStringList, QString, bool> cases[] = {
        {"xterm by class", {"xterm", "XTerm"}, "/usr/bin/xterm", false},
        {"kitty by executable", {"", ""}, "/usr/bin/kitty", false},
        {"any class naming a terminal", {"gnome-terminal-server", "Gnome-terminal"}, "", false},
        {"the focus is a terminal", {"editor", "Editor"}, "/usr/bin/editor", true},
    };
    for (const auto& [name, windowClass, executable, focusIsTerminal] : cases) {
        SCOPED_TRACE(name);
        windows.classes.insert(App, windowClass);
        desktop.fakeProcesses.exePaths.insert(4242, executable);
        windows.foreground = focusIsTerminal ? Terminal : App;
        keys.events.clear();
        clock.sleptMs = 0;
        windows.onCopyMessage = [](WindowHandle) { return std::nullopt; };
        EXPECT_EQ(capture.copySelectedText(App), "");
        windows.onCopyMessage = [](WindowHandle) { return std::optional<QString>("ls -l"); };
        EXPECT_EQ(capture.copySelectedText(App), "ls -l") << "the terminal's selection still arrives";
        EXPECT_TRUE(keys.events.isEmpty());
        EXPECT_EQ(clock.sleptMs, 0);
    }
}

TEST_F(CaptureTest, TheCopyLinkPutsOnlyTheTextOnTheClipboard)
{
    board.putFromApplication({{2, "picture"}});
    const auto stamp = board.stamp;
    capture.putClipboardText("");
    EXPECT_EQ(board.stamp, stamp) << "an empty text does not touch the clipboard";
    for (const QString& text : {QString::fromUtf8("שלום עולם"), QString(QChar(0xDC00)) + "x"}) {
        capture.putClipboardText(text);
        EXPECT_EQ(board.content, textBlocks(text));
        EXPECT_EQ(capture.clipboardText(), text);
    }
    capture.putClipboardText(QString("ab") + QChar(0) + "cd");
    EXPECT_EQ(capture.clipboardText(), "ab");
    EXPECT_EQ(capture.clipboardSession().lastError().number, 0);
}

} // namespace
