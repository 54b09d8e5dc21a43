// Capture after capture with a rich clipboard (text, HTML and an image): every time the
// selection is captured and the user's clipboard comes back byte for byte.
#include "FakeDesktop.h"
#include "SoakScale.h"
#include "capture/SelectedTextCapture.h"
#include "platform/ClipboardBlocks.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

namespace {

namespace fmt = platform::format;
using Blocks = QList<platform::fake::FakeClipboard::Block>;

constexpr WindowHandle Editor = 0x1400001;
constexpr WindowHandle MainForm = 0x800001;

QByteArray pngPicture()
{
    QImage image(64, 48, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 4, y * 5, (x ^ y) & 0xFF, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

TEST(CaptureSoak, RichClipboardComesBackIdenticalAfterEveryCapture)
{
    FakeDesktop desktop;
    auto& board = desktop.fakeClipboard;
    desktop.fakeWindows.foreground = Editor;
    desktop.fakeWindows.processIds.insert(Editor, 4242);
    desktop.fakeWindows.classes.insert(Editor, {"editor", "Editor"});
    desktop.fakeProcesses.exePaths.insert(4242, "/usr/bin/editor");
    SelectedTextCapture capture(desktop);
    capture.setOwnerWindow(MainForm);

    const QString userText = QString::fromUtf8("user's text – ünïcode ✓");
    const Blocks users{{fmt::UnicodeText, platform::blocks::unicodeText(userText)},
                       {fmt::Text, platform::blocks::ansiText(userText)},
                       {board.registerFormat("text/html"), QByteArray("<p>user's <b>rich</b> text</p>")},
                       {board.registerFormat("image/png"), pngPicture()}};
    board.putFromApplication(users);

    // The editor answers the copy request with a different selection every time.
    int round = 0;
    desktop.fakeWindows.onCopyMessage = [&round](WindowHandle) {
        return std::optional<QString>(QString("selection %1").arg(round));
    };

    const int rounds = soakRounds(1000, 20000);
    for (round = 0; round < rounds; ++round) {
        ASSERT_EQ(capture.copySelectedText(Editor), QString("selection %1").arg(round)) << "round " << round;
        ASSERT_EQ(board.content, users) << "round " << round;
        ASSERT_FALSE(board.openedBy.has_value()) << "round " << round << ": the clipboard was left open";
    }
    // The program's own clipboard object holds no blocks from earlier captures.
    EXPECT_FALSE(capture.clipboardSession().isOpen());
}

} // namespace
