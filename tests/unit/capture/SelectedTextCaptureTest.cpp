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
constexpr WindowHandle MainForm = 0x800001;

Blocks textBlocks(const QString& text)
{
    return {{fmt::UnicodeText, blocks::unicodeText(text)}, {fmt::Text, blocks::ansiText(text)}};
}

// The key events of one shortcut, as the key table gives them.
QList<Event> shortcut(std::uint8_t key)
{
    return {{0x11, 0x45, 1}, {key, 0x45, 1}, {key, 0x45, 3}, {0x11, 0x45, 3}};
}

class Capture : public testing::Test {
protected:
    FakeDesktop desktop;
    SelectedTextCapture capture{desktop};
    platform::fake::FakeClipboard& board = desktop.fakeClipboard;
    platform::fake::FakeKeyboard& keys = desktop.fakeKeyboard;
    platform::fake::FakeWindows& windows = desktop.fakeWindows;
    platform::fake::FakeClock& clock = desktop.fakeClock;
    std::optional<double> copyAt;
    QString copyText;

    void SetUp() override
    {
        capture.setOwnerWindow(MainForm);
        windows.foreground = App;
        windows.processIds.insert(App, 4242);
        windows.classes.insert(App, {"editor", "Editor"});
        desktop.fakeProcesses.exePaths.insert(4242, "/usr/bin/editor");
    }

    // The foreground application copies its selection delayMs after the key goes down,
    // as soon as the program lets pending events run.
    void applicationCopiesOn(std::uint8_t key, const QString& text, int delayMs = 0)
    {
        copyText = text;
        keys.onKey = [this, key, delayMs](const Event& e) {
            if (e.virtualKey == key && !(e.flags & platform::key::KeyUp) && !copyAt)
                copyAt = clock.now + delayMs / 1000.0 - 1e-9;
        };
        clock.onProcessEvents = [this] {
            if (copyAt && clock.now >= *copyAt) {
                board.putFromApplication(textBlocks(copyText));
                copyAt.reset();
                keys.onKey = nullptr;
            }
        };
    }
};

TEST_F(Capture, StepsAndKeystrokesOfEachCase)
{
    struct Case {
        const char* name;
        std::optional<QString> copyAnswer;
        std::uint8_t copyKey; // 0: the application copies on no key
        int delayMs;
        QString expected;
        QList<Event> events;
        int sleptMs;
    };
    const QList<Event> both = shortcut(0x2D) + shortcut(0x43);
    const std::vector<Case> cases{
        {"answers the copy request", QString("from request"), 0, 0, "from request", {}, 0},
        {"copies on Ctrl+Insert", {}, 0x2D, 0, "on insert", shortcut(0x2D), 60},
        {"copies only on Ctrl+C", {}, 0x43, 0, "on c", both, 120},
        {"nothing selected", {}, 0, 0, "", both, 120 + 11 * 10},
        {"copies 75 ms late", {}, 0x43, 75, "late", both, 120 + 20},
        {"copies after all attempts", {}, 0x43, 200, "", both, 120 + 11 * 10},
        {"an empty answer is no answer", QString(""), 0x2D, 0, "on insert", shortcut(0x2D), 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        keys.events.clear();
        clock.sleptMs = 0;
        copyAt.reset();
        keys.onKey = nullptr;
        clock.onProcessEvents = nullptr;
        board.putFromApplication(textBlocks("user text"));
        windows.onCopyMessage = [&](WindowHandle) { return c.copyAnswer; };
        if (c.copyKey)
            applicationCopiesOn(c.copyKey, c.expected.isEmpty() ? "too late" : c.expected, c.delayMs);

        EXPECT_EQ(capture.copySelectedText(App), c.expected);
        EXPECT_EQ(keys.events, c.events);
        EXPECT_EQ(clock.sleptMs, c.sleptMs);
        EXPECT_EQ(windows.copyRequests.last(), App);
        EXPECT_EQ(board.content, textBlocks("user text")) << "the user's clipboard is back";
        EXPECT_FALSE(board.openedBy.has_value());
    }
}

TEST_F(Capture, EveryFormatOfTheUsersClipboardComesBackByteForByte)
{
    const QByteArray picture(3 * 1024 * 1024, '\x7f');
    const std::vector<std::pair<const char*, Blocks>> clipboards{
        {"picture, file list, html and a custom format",
         {{2, picture},
          {fmt::FileList, blocks::fileList({"/tmp/a.png"})},
          {board.registerFormat("text/html"), "<b>x</b>"},
          {board.registerFormat("application/x-custom"), QByteArray("\0\1\2", 3)},
          {fmt::UnicodeText, blocks::unicodeText("x")}}},
        {"empty", {}},
    };
    applicationCopiesOn(0x2D, QString(5 * 1024 * 1024, QChar(0x05D0)));
    for (const auto& [name, content] : clipboards) {
        SCOPED_TRACE(name);
        applicationCopiesOn(0x2D, QString(5 * 1024 * 1024, QChar(0x05D0)));
        board.putFromApplication(content);
        EXPECT_EQ(capture.copySelectedText(App).size(), 5 * 1024 * 1024);
        EXPECT_EQ(board.content, content);
    }
}

TEST_F(Capture, TheCopiedSelectionIsMarkedSecretOnlyWhileItSitsOnTheClipboard)
{
    board.putFromApplication(textBlocks("user text"));
    windows.onCopyMessage = [](WindowHandle) { return std::optional<QString>("selected"); };
    bool sawMarkedSelection = false;
    board.onChange = [&] {
        const auto hint = board.block(board.registerFormat("x-kde-passwordManagerHint"));
        if (board.block(fmt::UnicodeText) == blocks::unicodeText("selected"))
            sawMarkedSelection = hint == "secret";
    };
    EXPECT_EQ(capture.copySelectedText(App), "selected");
    EXPECT_TRUE(sawMarkedSelection);
    EXPECT_EQ(board.content, textBlocks("user text")) << "the restored data carry no mark";
}

TEST_F(Capture, ACopyTheUserMakesDuringTheCaptureIsNeverOverwritten)
{
    const Blocks usersNewCopy{{2, "a picture"}};
    board.putFromApplication(textBlocks("old"));
    int attempts = 0;
    clock.onProcessEvents = [&] {
        if (++attempts == 5)
            board.putFromApplication(usersNewCopy);
    };
    EXPECT_EQ(capture.copySelectedText(App), "");
    EXPECT_EQ(board.content, usersNewCopy);
}

TEST_F(Capture, NoKeystrokesIntoTerminalEmulators)
{
    struct Case {
        const char* name;
        QStringList windowClass;
        QString executable;
        bool focusIsTerminal;
    };
    const std::vector<Case> cases{
        {"xterm by class", {"xterm", "XTerm"}, "/usr/bin/xterm", false},
        {"urxvt by class", {"urxvt", "URxvt"}, "/usr/bin/rxvt-unicode", false},
        {"kitty by executable", {"", ""}, "/usr/bin/kitty", false},
        {"gnome terminal", {"gnome-terminal-server", "Gnome-terminal"}, "", false},
        {"the focus is a terminal", {"editor", "Editor"}, "/usr/bin/editor", true},
    };
    constexpr WindowHandle Terminal = 0x2200001;
    windows.processIds.insert(Terminal, 777);
    windows.classes.insert(Terminal, {"foot", "foot"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        windows.classes.insert(App, c.windowClass);
        desktop.fakeProcesses.exePaths.insert(4242, c.executable);
        windows.foreground = c.focusIsTerminal ? Terminal : App;
        keys.events.clear();
        clock.sleptMs = 0;
        board.putFromApplication(textBlocks("user text"));

        windows.onCopyMessage = [](WindowHandle) { return std::nullopt; };
        EXPECT_EQ(capture.copySelectedText(App), "");
        windows.onCopyMessage = [](WindowHandle) { return std::optional<QString>("ls -l"); };
        EXPECT_EQ(capture.copySelectedText(App), "ls -l") << "the terminal's selection still arrives";

        EXPECT_TRUE(keys.events.isEmpty());
        EXPECT_EQ(clock.sleptMs, 0) << "nothing asked for, nothing waited for";
        EXPECT_EQ(board.content, textBlocks("user text"));
    }
}

TEST_F(Capture, AClipboardHeldByAnotherProgram)
{
    board.putFromApplication(textBlocks("user text"));
    board.heldElsewhere = true;
    applicationCopiesOn(0x2D, "selected");
    EXPECT_EQ(capture.copySelectedText(App), "");
    EXPECT_EQ(capture.clipboardText(), "");
    capture.putClipboardText("copy link");
    board.heldElsewhere = false;
    EXPECT_EQ(board.content, textBlocks("selected")) << "only the application itself wrote";
}

TEST_F(Capture, PutAndGetClipboardText)
{
    board.putFromApplication({{2, "picture"}});
    const auto stamp = board.stamp;
    capture.putClipboardText("");
    EXPECT_EQ(board.stamp, stamp) << "an empty text does not touch the clipboard";

    const QString nul = QString("ab") + QChar(0) + "cd";
    const std::vector<std::pair<QString, QString>> texts{
        {nul, "ab"},
        {QString(QChar(0xDC00)) + "x" + QChar(0xD800), QString(QChar(0xDC00)) + "x" + QChar(0xD800)},
        {QString::fromUtf8("שלום עולם"), QString::fromUtf8("שלום עולם")},
        {QString::fromUtf8("e\u0301\u0327"), QString::fromUtf8("e\u0301\u0327")},
    };
    for (const auto& [text, expected] : texts) {
        capture.putClipboardText(text);
        EXPECT_EQ(board.formats().size(), 0) << "closed again";
        EXPECT_EQ(board.content.size(), 2) << "only the two text formats";
        EXPECT_EQ(capture.clipboardText(), expected);
    }
    EXPECT_EQ(capture.clipboardSession().lastError().number, 0);
}

} // namespace
