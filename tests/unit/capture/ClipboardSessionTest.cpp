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

TEST_F(ClipboardSessionTest, DataAccessWithoutOpeningRecordsTheErrorAndChangesNothing)
{
    board.putFromApplication({{fmt::UnicodeText, blocks::unicodeText("keep")}});
    const auto before = board.content;
    const ClipboardError notOpen{-2147219934, "qlr.cCustomClipboard",
                                 "Attempt to access the clipboard when clipboard not Open."};
    const std::vector<std::pair<const char*, std::function<bool()>>> operations{
        {"clear", [&] { clip.clear(); return true; }},
        {"setBinaryData", [&] { return !clip.setBinaryData(fmt::Text, "x"); }},
        {"setFileList", [&] { return !clip.setFileList({"/tmp/a"}); }},
        {"setText", [&] { return !clip.setText("new"); }},
        {"binaryData", [&] { QByteArray b("junk"); return !clip.binaryData(fmt::UnicodeText, b) && b.isEmpty(); }},
    };
    for (const auto& [name, run] : operations) {
        EXPECT_TRUE(run()) << name;
        EXPECT_EQ(clip.lastError(), notOpen) << name;
        EXPECT_EQ(board.content, before) << name;
    }
    // Opened with no owner window is not open either.
    ASSERT_TRUE(clip.open(0));
    clip.clear();
    EXPECT_EQ(board.content, before);
    clip.close();

    board.heldElsewhere = true;
    EXPECT_FALSE(clip.open(Form));
    EXPECT_FALSE(clip.isOpen());
    board.heldElsewhere = false;
    EXPECT_TRUE(clip.open(Form));
    EXPECT_TRUE(clip.open(Form + 1)) << "opening for another window closes the first opening";
    EXPECT_EQ(clip.ownerWindow(), Form + 1);
    clip.close();
    EXPECT_FALSE(board.openedBy.has_value());
    EXPECT_EQ(clip.ownerWindow(), 0u);
}

TEST_F(ClipboardSessionTest, TextIsWrittenInBothFormsAndReadUnicodeFirst)
{
    ASSERT_TRUE(clip.open(Form));
    clip.clear();
    EXPECT_FALSE(clip.setText(""));
    EXPECT_TRUE(board.content.isEmpty());
    const QString mixed = QString::fromUtf8("é\xD7\x90") + QChar(0xD800);
    EXPECT_TRUE(clip.setText(mixed));
    EXPECT_EQ(board.block(fmt::UnicodeText), bytes("\xe9\0\xd0\x05\x00\xd8\0\0", 8)) << "lone surrogate kept";
    EXPECT_EQ(board.block(fmt::Text), bytes("\xe9??\0", 4));
    clip.close();
    EXPECT_EQ(clip.unicodeText(), mixed);

    const std::tuple<const char*, QList<platform::fake::FakeClipboard::Block>, bool, QString> cases[] = {
        {"unicode up to NUL", {{fmt::UnicodeText, blocks::unicodeText(QString("ab") + QChar(0) + "cd")}}, false, "ab"},
        {"only ansi", {{fmt::Text, bytes("caf\xe9\0", 5)}}, false, QString::fromUtf8("café")},
        {"held elsewhere", {{fmt::UnicodeText, blocks::unicodeText("x")}}, true, ""},
        {"a picture", {{2, "BM...."}}, false, ""},
    };
    for (const auto& [name, content, held, expected] : cases) {
        board.putFromApplication(content);
        board.heldElsewhere = held;
        EXPECT_EQ(clip.unicodeText(), expected) << name;
        EXPECT_FALSE(board.openedBy.has_value()) << name;
    }
}

TEST_F(ClipboardSessionTest, BinaryDataDropsTheTerminatorAndHandlesCarryTheLength)
{
    ASSERT_TRUE(clip.open(Form));
    const qint32 custom = clip.registerFormat("application/x-custom");
    const std::pair<QByteArray, QByteArray> cases[] = {
        {bytes("ab", 2), {}}, {{}, {}}, {bytes("abc", 3), "a"}, {bytes("ab\0cd\0\0", 7), bytes("ab\0cd", 5)}};
    for (const auto& [block, expected] : cases) {
        ASSERT_TRUE(clip.setBinaryData(custom, block));
        QByteArray read("junk");
        EXPECT_EQ(clip.binaryData(custom, read), !expected.isEmpty());
        EXPECT_EQ(read, expected);
        qint32 handle = 0;
        clip.binaryData(custom, read, &handle);
        EXPECT_TRUE(read.isEmpty()) << "only the handle is given back";
        if (block.size() >= 2) {
            EXPECT_EQ(handle % 0x10000, block.size() - 2);
        }
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
    EXPECT_FALSE(clip.isOpen());
}

TEST_F(ClipboardSessionTest, FileListsRoundTripAndMalformedOnesGiveNothing)
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
    EXPECT_EQ(read.value(0).size(), 259) << "a name is cut to the buffer of 260";
    clip.setBinaryData(fmt::FileList, bytes("\xff\0\0\0", 4));
    read = QStringList{"kept"};
    EXPECT_TRUE(clip.fileList(read, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(read, QStringList{"kept"});
    clip.close();
    EXPECT_FALSE(clip.fileList(read, count)) << "not open";

    QByteArray offsetOutside(20, '\0');
    offsetOutside[0] = char(200);
    EXPECT_TRUE(blocks::fromFileList(offsetOutside).isEmpty());
    EXPECT_TRUE(blocks::fromFileList(QByteArray(19, '\0')).isEmpty());
    QByteArray unterminated = blocks::fileList({"/a"});
    unterminated.chop(2);
    EXPECT_EQ(blocks::fromFileList(unterminated), QStringList{"/a"});
    EXPECT_EQ(blocks::fromUnicodeText(QByteArray("a\0b", 3)), "a") << "odd last byte ignored";
    EXPECT_EQ(blocks::fromAnsiText("abc"), "abc");

    const QStringList paths{"/tmp/a b.txt", QString::fromUtf8("/home/u/ünï #1.png"), "/x%y"};
    EXPECT_TRUE(blocks::uriList(paths).startsWith("file:///tmp/a%20b.txt\r\n"));
    EXPECT_EQ(blocks::fromUriList(blocks::uriList(paths)), paths);
    EXPECT_EQ(blocks::fromUriList("# c\nhttps://example.org/x\n\nfile:///etc/hosts\n"), QStringList{"/etc/hosts"});
}

TEST_F(ClipboardSessionTest, FormatsAreListedNamedAndFound)
{
    const qint32 html = clip.registerFormat("text/html");
    EXPECT_GT(html, 0xC000);
    EXPECT_EQ(clip.registerFormat("text/html"), html);
    EXPECT_EQ(clip.registerFormat(""), 0);
    board.putFromApplication({{fmt::UnicodeText, blocks::unicodeText("t")}, {fmt::Text, "t\0"}, {6, "II*"},
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
    EXPECT_EQ(clip.listFormats(Form, 6), 1);
    EXPECT_EQ(clip.listFormats(Form, 15), 0);
    EXPECT_EQ(clip.listedFormatId(1), std::nullopt) << "a query by id lists nothing";
    EXPECT_EQ(clip.formatIdForName(Form, "text/html"), html);
    EXPECT_EQ(clip.formatIdForName(Form, "TEXT/HTML"), 0);
    EXPECT_TRUE(clip.hasDataForFormatName(Form, "Text (Unicode)"));
    EXPECT_FALSE(clip.hasDataForFormatName(Form, "File List"));
    EXPECT_EQ(clip.formatName(15), "File List");
    EXPECT_EQ(clip.formatName(16), "");
    board.heldElsewhere = true;
    EXPECT_EQ(clip.listFormats(Form), 0);
}

} // namespace
