// The clipboard facet and the clipboard class on the real X clipboard.
#include "CaptureDesktop.h"
#include "capture/ClipboardSession.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

using capturetest::clipboardContents;
using capturetest::runServing;

class ClipboardX11 : public capturetest::DesktopFixture {};

TEST_F(ClipboardX11, SnapshotAndRestoreGiveBackEveryFormatByteForByte)
{
    // Text, HTML and an incompressible picture large enough to need incremental transfers.
    startCopyTarget({"--own-clipboard", "--text", QString::fromUtf8("Grüße ש"), "--picture-size", "420"});
    const auto before = clipboardContents();
    ASSERT_TRUE(before.contains("text/html"));
    ASSERT_GT(before.value("image/png").size(), 400 * 1024);

    platform::Clipboard& clipboard = desktop->clipboard();
    const platform::ClipboardSnapshot saved = clipboard.snapshot();
    ASSERT_EQ(saved.items.size(), before.size());
    for (const auto& item : saved.items)
        EXPECT_EQ(item.bytes, before.value(item.name)) << item.name.toStdString();

    // Somebody else takes the clipboard, then the copy goes back.
    ASSERT_TRUE(clipboard.open(1));
    clipboard.empty();
    clipboard.close();
    EXPECT_TRUE(clipboardContents().isEmpty());
    ASSERT_TRUE(clipboard.restore(saved));
    EXPECT_EQ(clipboardContents(), before);
}

TEST_F(ClipboardX11, TheClassReadsAndWritesNumberedFormats)
{
    ClipboardSession clip(desktop->clipboard(), "qlr", 1);
    ASSERT_TRUE(clip.open(1));
    clip.clear();
    ASSERT_TRUE(clip.setText(QString::fromUtf8("één ☃")));
    const qint32 hint = clip.registerFormat("x-kde-passwordManagerHint");
    ASSERT_TRUE(clip.setBinaryData(hint, "secret"));
    clip.close();

    const auto written = clipboardContents();
    EXPECT_EQ(written.value("UTF8_STRING"), QString::fromUtf8("één ☃").toUtf8());
    EXPECT_EQ(written.value("STRING"), QByteArray("\xe9\xe9n ?"));
    EXPECT_EQ(written.value("x-kde-passwordManagerHint"), "secret");
    EXPECT_EQ(clip.unicodeText(), QString::fromUtf8("één ☃"));

    EXPECT_EQ(clip.listFormats(1), 3);
    EXPECT_EQ(clip.listedFormatName(1), "Text (Unicode)");
    EXPECT_EQ(clip.listedFormatName(2), "Text");
    EXPECT_EQ(clip.listedFormatName(3), "x-kde-passwordManagerHint");

    ASSERT_TRUE(clip.open(1));
    clip.clear();
    ASSERT_TRUE(clip.setFileList({"/tmp/a b.txt", "/etc/hosts"}));
    clip.close();
    EXPECT_EQ(runServing("xclip", {"-o", "-selection", "clipboard", "-t", "text/uri-list"}),
              "file:///tmp/a%20b.txt\r\nfile:///etc/hosts\r\n");
    QStringList files;
    qint32 count = 0;
    ASSERT_TRUE(clip.open(1));
    EXPECT_TRUE(clip.fileList(files, count));
    clip.close();
    EXPECT_EQ(files, (QStringList{"/tmp/a b.txt", "/etc/hosts"}));
}

TEST_F(ClipboardX11, AClipboardOfThisVeryProcessIsReadWithoutWaitingForItself)
{
    QGuiApplication::clipboard()->setText(QString::fromUtf8("copied in the program"));
    const platform::ClipboardSnapshot saved = desktop->clipboard().snapshot();
    const auto text = std::find_if(saved.items.begin(), saved.items.end(),
                                   [](const auto& item) { return item.name == "text/plain"; });
    ASSERT_NE(text, saved.items.end());
    EXPECT_EQ(text->bytes, QString::fromUtf8("copied in the program").toUtf8());
    EXPECT_EQ(ClipboardSession(desktop->clipboard(), "qlr", 1).unicodeText(), QString::fromUtf8("copied in the program"));

    ASSERT_TRUE(desktop->clipboard().open(1));
    desktop->clipboard().empty();
    desktop->clipboard().close();
    ASSERT_TRUE(desktop->clipboard().restore(saved));
    EXPECT_EQ(runServing("xclip", {"-o", "-selection", "clipboard"}), QString::fromUtf8("copied in the program").toUtf8());
}

TEST_F(ClipboardX11, AnOwnerThatNeverAnswersCostsOnlyAShortWait)
{
    ASSERT_NO_FATAL_FAILURE(hungClipboardOwner());

    QElapsedTimer clock;
    clock.start();
    ClipboardSession clip(desktop->clipboard(), "qlr", 1);
    EXPECT_EQ(clip.unicodeText(), "");
    EXPECT_TRUE(desktop->clipboard().snapshot().isEmpty());
    EXPECT_EQ(clip.unicodeText(), "");
    EXPECT_LT(clock.elapsed(), 2000) << "one bounded wait, then the silent owner is not asked again";
}

} // namespace
