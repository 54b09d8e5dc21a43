#include "FakeDesktop.h"
#include "capture/ClipboardSession.h"
#include "platform/ClipboardBlocks.h"

#include <gtest/gtest.h>

namespace {

namespace fmt = platform::format;
constexpr WindowHandle Form = 0x400001;

QByteArray bytes(const char* data, int size)
{
    return QByteArray(data, size);
}

class ClipboardClass : public testing::Test {
protected:
    FakeDesktop desktop;
    platform::fake::FakeClipboard& board = desktop.fakeClipboard;
    ClipboardSession clip{board, "qlr", Form};
};

TEST_F(ClipboardClass, DataAccessWithoutOpeningRecordsTheNotOpenErrorAndChangesNothing)
{
    board.putFromApplication({{fmt::UnicodeText, platform::blocks::unicodeText("keep")}});
    const auto before = board.content;
    const ClipboardError notOpen{-2147219934, "qlr.cCustomClipboard",
                                 "Attempt to access the clipboard when clipboard not Open."};

    const std::vector<std::pair<const char*, std::function<bool()>>> operations{
        {"ClearClipboard", [&] { clip.clear(); return true; }},
        {"SetBinaryData", [&] { return !clip.setBinaryData(fmt::Text, "x\0"); }},
        {"SetFileList", [&] { return !clip.setFileList({"/tmp/a"}); }},
        {"SetTextData", [&] { return !clip.setText("new"); }},
        {"GetClipboardMemoryHandle", [&] { return clip.dataBlock(fmt::UnicodeText) == 0; }},
        {"GetBinaryData", [&] { QByteArray b("junk"); return !clip.binaryData(fmt::UnicodeText, b) && b.isEmpty(); }},
    };
    for (const auto& [name, run] : operations) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(run()) << "empty result";
        EXPECT_EQ(clip.lastError(), notOpen);
        EXPECT_EQ(board.content, before);
    }

    // Opened with no owner window is not open either; after a close it is closed again.
    ASSERT_TRUE(clip.open(0));
    clip.clear();
    EXPECT_EQ(board.content, before);
    clip.close();
    ASSERT_TRUE(clip.open(Form));
    clip.close();
    clip.clear();
    EXPECT_EQ(board.content, before);
}

TEST_F(ClipboardClass, OpeningFailsWhileAnotherProgramHoldsTheClipboard)
{
    board.heldElsewhere = true;
    EXPECT_FALSE(clip.open(Form));
    EXPECT_FALSE(clip.isOpen());
    EXPECT_EQ(clip.ownerWindow(), 0u);
    board.heldElsewhere = false;
    EXPECT_TRUE(clip.open(Form));
    EXPECT_EQ(clip.ownerWindow(), Form);
    // Opening for another window does not leave the first opening behind.
    EXPECT_TRUE(clip.open(Form + 1));
    clip.close();
    EXPECT_FALSE(board.openedBy.has_value());
}

TEST_F(ClipboardClass, UnicodeTextIsPreferredAndEndsAtItsFirstNul)
{
    struct Case {
        const char* name;
        QList<platform::fake::FakeClipboard::Block> content;
        bool heldElsewhere;
        QString expected;
    };
    const QString withNul = QString("ab") + QChar(0) + "cd";
    const std::vector<Case> cases{
        {"unicode", {{fmt::UnicodeText, platform::blocks::unicodeText(withNul)}, {fmt::Text, "zz\0"}}, false, "ab"},
        {"only ansi", {{fmt::Text, bytes("caf\xe9\0", 5)}}, false, QString::fromUtf8("café")},
        {"held elsewhere", {{fmt::UnicodeText, platform::blocks::unicodeText("x")}}, true, ""},
        {"a picture", {{2, "BM...."}}, false, ""},
        {"empty", {}, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        board.putFromApplication(c.content);
        board.heldElsewhere = c.heldElsewhere;
        EXPECT_EQ(clip.unicodeText(), c.expected);
        EXPECT_FALSE(clip.isOpen());
        EXPECT_FALSE(board.openedBy.has_value());
    }
}

TEST_F(ClipboardClass, SetTextDataWritesUnicodeAndAnsiBlocks)
{
    ASSERT_TRUE(clip.open(Form));
    clip.clear();
    EXPECT_FALSE(clip.setText(""));
    EXPECT_TRUE(board.content.isEmpty());

    EXPECT_TRUE(clip.setText("A"));
    EXPECT_EQ(board.block(fmt::UnicodeText), bytes("A\0\0\0", 4));
    EXPECT_EQ(board.block(fmt::Text), bytes("A\0", 2));

    const QString mixed = QString::fromUtf8("é\xD7\x90") + QChar(0xD800);
    EXPECT_TRUE(clip.setText(mixed));
    EXPECT_EQ(board.block(fmt::UnicodeText), bytes("\xe9\0\xd0\x05\x00\xd8\0\0", 8)) << "lone surrogate kept";
    EXPECT_EQ(board.block(fmt::Text), bytes("\xe9??\0", 4));
    clip.close();
    EXPECT_EQ(clip.unicodeText(), mixed);
}

TEST_F(ClipboardClass, BinaryDataDropsTheLastTwoBytesOfABlock)
{
    ASSERT_TRUE(clip.open(Form));
    const qint32 custom = clip.registerFormat("application/x-custom");
    const std::vector<std::pair<QByteArray, QByteArray>> cases{
        {bytes("ab", 2), {}}, {bytes("a", 1), {}}, {{}, {}}, {bytes("abc", 3), "a"}, {bytes("ab\0cd\0\0", 7), bytes("ab\0cd", 5)}};
    for (const auto& [block, expected] : cases) {
        SCOPED_TRACE(block.toHex().toStdString());
        ASSERT_TRUE(clip.setBinaryData(custom, block));
        QByteArray read("junk");
        EXPECT_EQ(clip.binaryData(custom, read), !expected.isEmpty());
        EXPECT_EQ(read, expected);
        qint32 handle = 0;
        clip.binaryData(custom, read, &handle);
        EXPECT_TRUE(read.isEmpty()) << "only the handle is given back";
        if (block.size() >= 2) {
            EXPECT_EQ(handle % 0x10000, block.size() - 2) << "handle plus the length";
        }
    }
    QByteArray read;
    EXPECT_FALSE(clip.binaryData(fmt::FileList, read)) << "absent format";
}

TEST_F(ClipboardClass, FileListLayoutRoundTrip)
{
    const QStringList names{"/home/user/a.txt", "/tmp/caf\u00e9 b.png"};
    ASSERT_TRUE(clip.open(Form));
    clip.clear();
    ASSERT_TRUE(clip.setFileList(names));
    const QByteArray block = board.block(fmt::FileList).value();
    const QByteArray header = bytes("\x14\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\0\0\0", 20);
    EXPECT_EQ(block, header + bytes("/home/user/a.txt\0/tmp/caf\xe9 b.png\0\0", 34));

    QStringList read{"stale"};
    qint32 count = -1;
    ASSERT_TRUE(clip.fileList(read, count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(read, names);

    // A wide list from another program, a very long name and a malformed block.
    QByteArray wide = bytes("\x14\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\0\0\0" "\x01\0\0\0", 20);
    const QString longName = "/" + QString(300, 'x');
    for (const QChar c : longName)
        wide += char(c.unicode()), wide += '\0';
    wide += bytes("\0\0\0\0", 4);
    clip.setBinaryData(fmt::FileList, wide);
    ASSERT_TRUE(clip.fileList(read, count));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(read.value(0), longName.left(259));

    clip.setBinaryData(fmt::FileList, bytes("\xff\0\0\0", 4));
    read = QStringList{"kept"};
    EXPECT_TRUE(clip.fileList(read, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(read, QStringList{"kept"});
    clip.close();
    EXPECT_FALSE(clip.fileList(read, count)) << "not open";
}

TEST_F(ClipboardClass, FormatsAreListedNamedAndFound)
{
    const qint32 html = clip.registerFormat("text/html");
    EXPECT_GT(html, 0xC000);
    EXPECT_EQ(clip.registerFormat("text/html"), html);
    EXPECT_EQ(clip.registerFormat(""), 0);
    board.putFromApplication({{fmt::UnicodeText, platform::blocks::unicodeText("t")},
                              {fmt::Text, "t\0"},
                              {6, "II*"},
                              {quint32(html), "<b>t</b>"}});

    EXPECT_EQ(clip.formatCount(), 4);
    EXPECT_EQ(clip.listFormats(Form), 4);
    EXPECT_FALSE(clip.isOpen()) << "closed again";
    EXPECT_EQ(clip.listedFormatId(1), 13);
    EXPECT_EQ(clip.listedFormatName(2), "Text");
    EXPECT_EQ(clip.listedFormatName(3), "Tagged Image File Format (TIFF) Picture");
    EXPECT_EQ(clip.listedFormatName(4), "text/html");
    EXPECT_EQ(clip.listedFormatId(0), std::nullopt);
    EXPECT_EQ(clip.listedFormatName(5), std::nullopt);
    EXPECT_TRUE(clip.hasListedFormat(6));
    EXPECT_FALSE(clip.hasListedFormat(15));

    EXPECT_EQ(clip.listFormats(Form, 6), 1);
    EXPECT_EQ(clip.listFormats(Form, 15), 0);
    EXPECT_EQ(clip.listedFormatId(1), std::nullopt) << "a query by id stores nothing";

    EXPECT_EQ(clip.formatIdForName(Form, "text/html"), html);
    EXPECT_EQ(clip.formatIdForName(Form, "TEXT/HTML"), 0) << "case counts";
    EXPECT_TRUE(clip.hasDataForFormatName(Form, "Text (Unicode)"));
    EXPECT_FALSE(clip.hasDataForFormatName(Form, "File List"));

    EXPECT_EQ(clip.formatName(16), "");
    EXPECT_EQ(clip.formatName(17), "");
    EXPECT_EQ(clip.formatName(15), "File List");
    EXPECT_EQ(clip.formatName(0xC000 + 999), "");

    board.heldElsewhere = true;
    EXPECT_EQ(clip.listFormats(Form), 0);
    EXPECT_EQ(clip.listedFormatId(1), std::nullopt);
}

TEST_F(ClipboardClass, TextDataMemoryHandlesAndTheTextHandle)
{
    board.putFromApplication({{fmt::UnicodeText, platform::blocks::unicodeText("uni")}, {fmt::Text, bytes("abcdef\0", 7)}});
    ASSERT_TRUE(clip.open(Form));
    QString text;
    EXPECT_TRUE(clip.textData(fmt::Text, text));
    EXPECT_EQ(text, "uni");
    EXPECT_TRUE(clip.isOpen()) << "opened again for the same owner";
    EXPECT_EQ(clip.ownerWindow(), Form);

    const qint32 custom = clip.registerFormat("x-custom");
    const auto block = clip.allocateBlock(bytes("\x41\x42\xe9\0\0", 5));
    EXPECT_TRUE(clip.setDataBlock(custom, block));
    EXPECT_FALSE(clip.setDataBlock(custom, block)) << "the clipboard took the block over";
    EXPECT_TRUE(clip.textData(custom, text));
    EXPECT_EQ(text, QString::fromUtf8("ABé"));
    clip.close();

    const qint32 handle = clip.textEndHandle(Form);
    EXPECT_EQ(handle % 0x10000, 5) << "handle of the ANSI block plus its length less two";
    EXPECT_FALSE(clip.isOpen());
}

} // namespace
