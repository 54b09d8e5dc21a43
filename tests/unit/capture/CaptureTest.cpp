// Copying the selection out of the foreground application: the window's own selection,
// the shortcuts and the waits, and the user's clipboard given back whole.
#include "FakeDesktop.h"
#include "capture/SelectedTextCapture.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

using platform::CopyKeys;
using Item = platform::ClipboardSnapshot::Item;
using platform::fake::FakeClipboard;

constexpr WindowHandle App = 0x1200001;
constexpr std::int64_t AppProcess = 4242;

QStringList typed(const QString& keys)
{
    return {"press " + keys, "release " + keys};
}

class CaptureTest : public testing::Test {
protected:
    FakeDesktop desktop;
    SelectedTextCapture capture{desktop};
    FakeClipboard& board = desktop.fakeClipboard;
    std::unique_ptr<platform::Alarm> copyLater;

    void SetUp() override
    {
        desktop.fakeWindows.foreground = App;
        desktop.fakeWindows.processIds.insert(App, AppProcess);
        desktop.fakeProcesses.exePaths.insert(AppProcess, "/usr/bin/editor");
    }
    // The application puts the items on the clipboard delayMs after the key goes down.
    void applicationPutsOn(CopyKeys key, QList<Item> items, int delayMs = 0)
    {
        desktop.fakeKeyboard.onKey = [this, key, items, delayMs](CopyKeys pressed, bool down) {
            if (pressed != key || !down)
                return;
            copyLater = desktop.fakeClock.newAlarm([this, items] { board.putFromApplication(items, AppProcess); });
            copyLater->start(delayMs);
        };
    }
    // The capture of the window, run to its end; how long it took goes to tookMs.
    QString copy(WindowHandle window = App, int* tookMs = nullptr)
    {
        std::optional<QString> text;
        const qint64 start = desktop.fakeClock.elapsedMs();
        capture.copySelectedText(window, [&](const QString& t) { text = t; });
        for (int i = 0; i < 1000 && !text; ++i)
            desktop.fakeClock.advance(1);
        if (tookMs)
            *tookMs = int(desktop.fakeClock.elapsedMs() - start);
        EXPECT_TRUE(text.has_value()) << "the capture never ended";
        return text.value_or("(none)");
    }
};

TEST_F(CaptureTest, TheWindowsSelectionLeavesTheClipboardAloneTheShortcutsPutItBackWhole)
{
    const QList<Item> users{{"image/png", {}, 8, QByteArray(1024 * 1024, '\x7f')},
                            {"text/uri-list", {}, 8, "file:///tmp/a.png\r\n"},
                            {"application/x-custom", {}, 8, QByteArray("\0\1\2", 3)}};
    board.putFromApplication(users);
    const std::uint64_t untouched = board.stamp;
    desktop.fakeWindows.onSelectedText = [](WindowHandle) { return QString("from the selection") + QChar(0) + "x"; };
    int took = 0;
    EXPECT_EQ(copy(App, &took), "from the selection") << "read as off the clipboard, up to a NUL";
    EXPECT_TRUE(desktop.fakeKeyboard.events.isEmpty());
    EXPECT_EQ(took, 0) << "nothing typed, nothing waited for";
    EXPECT_EQ(board.stamp, untouched) << "the clipboard is not even put back";

    const std::tuple<std::optional<QString>, CopyKeys, int, QString, QStringList, int> cases[] = {
        {QString(""), CopyKeys::ControlInsert, 0, "on insert", typed("ctrl+insert"), 60}, // an empty answer is none
        {{}, CopyKeys::ControlC, 75, "late", typed("ctrl+insert") + typed("ctrl+c"), 120 + 20},
        {{}, CopyKeys::ControlC, 200, "", typed("ctrl+insert") + typed("ctrl+c"), 120 + 11 * 10}, // too late
    };
    for (const auto& [answer, key, delayMs, expected, events, duration] : cases) {
        desktop.fakeKeyboard.events.clear();
        board.putFromApplication(users);
        desktop.fakeWindows.onSelectedText = [answer = answer](WindowHandle) { return answer; };
        applicationPutsOn(key, {FakeClipboard::textItem(expected.isEmpty() ? "too late" : expected)}, delayMs);
        EXPECT_EQ(copy(App, &took), expected);
        EXPECT_EQ(desktop.fakeKeyboard.events, events) << expected.toStdString();
        EXPECT_EQ(took, duration) << expected.toStdString();
        EXPECT_EQ(board.content, users) << "every format of the user's clipboard is back";
        copyLater.reset();
    }

    // An owner that does not hand every format over: no key is typed, nothing touched.
    board.snapshotIncomplete = true;
    desktop.fakeKeyboard.events.clear();
    const std::uint64_t before = board.stamp;
    EXPECT_EQ(copy(), "");
    EXPECT_TRUE(desktop.fakeKeyboard.events.isEmpty());
    EXPECT_EQ(board.stamp, before);
}

TEST_F(CaptureTest, OnlyTheWindowsOwnAnswerCountsAndNothingOfTheUsersClipboardIsLost)
{
    // A copy the user makes meanwhile (another program) is kept.
    const QList<Item> old{FakeClipboard::textItem("old")};
    board.putFromApplication(old);
    desktop.fakeKeyboard.onKey = [this](CopyKeys, bool down) {
        if (!down)
            board.putFromApplication({{"image/png", {}, 8, "a picture"}}, 777);
    };
    EXPECT_EQ(copy(), "");
    EXPECT_EQ(board.content.first().bytes, QByteArray("a picture")) << "never overwritten by the restore";

    // The application answers with a picture (a canvas copying itself): that change
    // was the capture's doing, and the user's text comes back.
    board.putFromApplication({FakeClipboard::textItem("the user's text")});
    applicationPutsOn(CopyKeys::ControlC, {{"image/png", {}, 8, "a picture"}});
    EXPECT_EQ(copy(), "");
    EXPECT_EQ(board.content, QList<Item>{FakeClipboard::textItem("the user's text")});

    // A clipboard manager that refills the emptied clipboard with the user's last item
    // at once: that text is not the selection, and it stays.
    desktop.fakeKeyboard.onKey = nullptr;
    board.onChange = [this] {
        if (board.content.isEmpty())
            board.putFromApplication({FakeClipboard::textItem("the user's text")}, 555);
    };
    EXPECT_EQ(copy(), "");
    EXPECT_EQ(board.content, QList<Item>{FakeClipboard::textItem("the user's text")});
    board.onChange = nullptr;

    // A window whose process is unknown, a terminal (by class or executable, in front
    // or behind), or a desktop where nobody may type: no keys at all.
    desktop.fakeWindows.processIds.remove(App);
    desktop.fakeKeyboard.events.clear();
    EXPECT_EQ(copy(), "");
    desktop.fakeWindows.processIds.insert(App, AppProcess);
    constexpr WindowHandle Terminal = 0x2200001;
    desktop.fakeWindows.processIds.insert(Terminal, 777);
    desktop.fakeWindows.classes.insert(Terminal, {"foot", "foot"});
    for (const auto& [windowClass, executable, focus] :
         {std::tuple{QStringList{"xterm", "XTerm"}, "/usr/bin/xterm", App},
          {QStringList{}, "/usr/bin/kitty", App}, {QStringList{"editor"}, "/usr/bin/editor", Terminal}}) {
        desktop.fakeWindows.classes.insert(App, windowClass);
        desktop.fakeProcesses.exePaths.insert(AppProcess, executable);
        desktop.fakeWindows.foreground = focus;
        desktop.fakeWindows.onSelectedText = [](WindowHandle) { return std::nullopt; };
        EXPECT_EQ(copy(), "");
        desktop.fakeWindows.onSelectedText = [](WindowHandle) { return std::optional<QString>("ls -l"); };
        EXPECT_EQ(copy(), "ls -l") << "the terminal's selection still arrives";
    }
    desktop.fakeWindows.classes.insert(App, {"editor"});
    desktop.fakeWindows.foreground = App;
    desktop.fakeWindows.onSelectedText = [](WindowHandle) { return std::nullopt; };
    desktop.fakeKeyboard.typing = false;
    const std::uint64_t stamp = board.stamp;
    EXPECT_EQ(copy(), "");
    EXPECT_TRUE(desktop.fakeKeyboard.events.isEmpty());
    EXPECT_EQ(board.stamp, stamp) << "never emptied nor put back";

    // One capture at a time: another asked meanwhile gets nothing at once.
    desktop.fakeKeyboard.typing = true;
    bool first = false;
    capture.copySelectedText(App, [&](const QString&) { first = true; });
    std::optional<QString> second;
    capture.copySelectedText(App, [&](const QString& text) { second = text; });
    EXPECT_EQ(second, QString());
    desktop.fakeClock.advance(500);
    EXPECT_TRUE(first);
}

TEST(ClipboardAccess, ReadsUpToTheFirstNulAndPutsNothingEmpty)
{
    FakeDesktop desktop;
    ClipboardAccess clipboard(desktop.fakeClipboard);
    desktop.fakeClipboard.putFromApplication({FakeClipboard::textItem(QString("a") + QChar(0) + "b")});
    EXPECT_EQ(clipboard.text(), "a");
    const std::uint64_t stamp = desktop.fakeClipboard.stamp;
    clipboard.putText("");
    EXPECT_EQ(desktop.fakeClipboard.stamp, stamp) << "the copy link with nothing to copy touches nothing";
}

} // namespace
