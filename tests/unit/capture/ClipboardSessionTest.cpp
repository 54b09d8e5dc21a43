// The clipboard session and the byte shapes of the standard formats, on the fake
// clipboard.
#include "FakeDesktop.h"
#include "capture/ClipboardSession.h"
#include "platform/ClipboardBlocks.h"

#include <gtest/gtest.h>

namespace {

namespace fmt = platform::format;
namespace blocks = platform::blocks;
constexpr WindowHandle Form = 0x400001;

QByteArray bytes(const char* data, int size)
{
    return QByteArray(data, size);
}

class ClipboardSessionTest : public testing::Test {
protected:
    FakeDesktop desktop;
    platform::fake::FakeClipboard& board = desktop.fakeClipboard;
    ClipboardSession clip{board, "qlr", Form};
};

TEST_F(ClipboardSessionTest, WithoutOpeningNothingChangesAndTheErrorIsRecorded)
{
    board.putFromApplication({{fmt::UnicodeText, blocks::unicodeText("keep")}});
    const auto before = board.content;
    QByteArray read("junk");
    clip.clear();
    EXPECT_FALSE(clip.setBinaryData(fmt::Text, "x") || clip.setFileList({"/a"}) || clip.setText("new"));
    EXPECT_FALSE(clip.binaryData(fmt::UnicodeText, read));
    EXPECT_TRUE(read.isEmpty());
    EXPECT_EQ(board.content, before);
    EXPECT_EQ(clip.lastError(), (ClipboardError{-2147219934, "qlr.cCustomClipboard",
                                                "Attempt to access the clipboard when clipboard not Open."}));
    ASSERT_TRUE(clip.open(0));
    clip.clear();
    EXPECT_EQ(board.content, before) << "opened without an owner window is not open either";
    clip.close();
    board.heldElsewhere = true;
    EXPECT_FALSE(clip.open(Form));
    board.heldElsewhere = false;
    EXPECT_TRUE(clip.open(Form));
    EXPECT_TRUE(clip.open(Form + 1)) << "opening for another window closes the first opening";
    EXPECT_EQ(clip.ownerWindow(), Form + 1);
    clip.close();
    EXPECT_FALSE(board.openedBy.has_value() || clip.isOpen());
}

TEST_F(ClipboardSessionTest, TextIsWrittenInBothFormsAndReadUnicodeFirst)
{
    ASSERT_TRUE(clip.open(Form));
    EXPECT_FALSE(clip.setText(""));
    const QString mixed = QString::fromUtf8("é\xD7\x90") + QChar(0xD800);
    EXPECT_TRUE(clip.setText(mixed));
    EXPECT_EQ(board.block(fmt::UnicodeText), bytes("\xe9\0\xd0\x05\x00\xd8\0\0", 8)) << "lone surrogate kept";
    EXPECT_EQ(board.block(fmt::Text), bytes("\xe9??\0", 4));
    clip.close();
    EXPECT_EQ(clip.unicodeText(), mixed);
    for (const auto& [content, held, expected] :
         {std::tuple{QList<platform::fake::FakeClipboard::Block>{{fmt::UnicodeText, blocks::unicodeText(QString("ab") + QChar(0) + "cd")}},
                     false, QString("ab")},
          {{{fmt::Text, bytes("caf\xe9\0", 5)}}, false, QString::fromUtf8("café")},
          {{{fmt::UnicodeText, blocks::unicodeText("x")}}, true, QString()},
          {{{2, "BM...."}}, false, QString()}}) {
        board.putFromApplication(content);
        board.heldElsewhere = held;
        EXPECT_EQ(clip.unicodeText(), expected);
        EXPECT_FALSE(board.openedBy.has_value());
    }
}

TEST_F(ClipboardSessionTest, BinaryDataDropsTheTerminatorAndHandlesCarryTheLength)
{
    ASSERT_TRUE(clip.open(Form));
    const qint32 custom = clip.registerFormat("application/x-custom");
    EXPECT_GT(custom, 0xC000);
    EXPECT_EQ(clip.formatName(custom), "application/x-custom");
    EXPECT_EQ(clip.formatName(15), "File List");
    for (const auto& [block, expected] : {std::pair{bytes("ab", 2), QByteArray()}, {bytes("abc", 3), QByteArray("a")},
                                          {bytes("ab\0cd\0\0", 7), bytes("ab\0cd", 5)}}) {
        ASSERT_TRUE(clip.setBinaryData(custom, block));
        QByteArray read("junk");
        EXPECT_EQ(clip.binaryData(custom, read), !expected.isEmpty());
        EXPECT_EQ(read, expected);
        qint32 handle = 0;
        clip.binaryData(custom, read, &handle);
        EXPECT_TRUE(read.isEmpty()) << "only the handle is given back";
        EXPECT_EQ(handle % 0x10000, block.size() - 2);
    }
    QString text;
    const auto block = clip.allocateBlock(bytes("\x41\x42\xe9\0\0", 5));
    EXPECT_TRUE(clip.setDataBlock(custom, block));
    EXPECT_FALSE(clip.setDataBlock(custom, block)) << "the clipboard took the block over";
    EXPECT_TRUE(clip.textData(custom, text));
    EXPECT_EQ(text, QString::fromUtf8("ABé"));
    clip.setText("uni");
    EXPECT_TRUE(clip.textData(fmt::Text, text));
    EXPECT_EQ(text, "uni");
    EXPECT_EQ(clip.ownerWindow(), Form) << "the toolkit's read reopens for the same owner";
    clip.close();
    EXPECT_EQ(clip.textEndHandle(Form) % 0x10000, 2) << "the ANSI block \"uni\\0\" less two";
}

TEST_F(ClipboardSessionTest, FileListsAndUriListsRoundTripAndMalformedOnesGiveNothing)
{
    const QStringList names{"/home/user/a.txt", "/tmp/caf\u00e9 b.png"};
    ASSERT_TRUE(clip.open(Form));
    ASSERT_TRUE(clip.setFileList(names));
    const QByteArray header = bytes("\x14\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20);
    EXPECT_EQ(board.block(fmt::FileList), header + bytes("/home/user/a.txt\0/tmp/caf\xe9 b.png\0\0", 34));
    QStringList read{"stale"};
    qint32 count = -1;
    ASSERT_TRUE(clip.fileList(read, count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(read, names);
    QByteArray wide = bytes("\x14\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x01\0\0\0", 20);
    for (const QChar c : "/" + QString(300, 'x'))
        wide += char(c.unicode()), wide += '\0';
    clip.setBinaryData(fmt::FileList, wide + bytes("\0\0\0\0", 4));
    ASSERT_TRUE(clip.fileList(read, count));
    EXPECT_EQ(read.value(0).size(), 259) << "a wide name, cut to the buffer of 260";
    clip.setBinaryData(fmt::FileList, bytes("\xff\0\0\0", 4));
    read = QStringList{"kept"};
    EXPECT_TRUE(clip.fileList(read, count));
    EXPECT_EQ(read, QStringList{"kept"});
    clip.close();
    EXPECT_FALSE(clip.fileList(read, count)) << "not open";

    QByteArray unterminated = blocks::fileList({"/a"});
    unterminated.chop(2);
    EXPECT_EQ(blocks::fromFileList(unterminated), QStringList{"/a"});
    QByteArray farOffset = blocks::fileList({"/a"});
    farOffset.insert(20, QByteArray(236, '\0'));
    farOffset[0] = 0;
    farOffset[1] = 1; // the names start at byte 256
    EXPECT_EQ(blocks::fromFileList(farOffset), QStringList{"/a"});
    EXPECT_EQ(blocks::fromUnicodeText(QByteArray("a\0b", 3)), "a") << "odd last byte ignored";
    const QStringList paths{"/tmp/a b.txt", QString::fromUtf8("/home/u/ünï #1.png"), "/x%y"};
    EXPECT_TRUE(blocks::uriList(paths).startsWith("file:///tmp/a%20b.txt\r\n"));
    EXPECT_EQ(blocks::fromUriList(blocks::uriList(paths)), paths);
    EXPECT_EQ(blocks::fromUriList("# c\nhttps://example.org/x\n\nfile:///etc/hosts\n"), QStringList{"/etc/hosts"});
}

} // namespace
