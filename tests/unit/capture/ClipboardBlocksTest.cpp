#include "platform/ClipboardBlocks.h"

#include <gtest/gtest.h>

namespace {

using namespace platform::blocks;

TEST(ClipboardBlocks, FileNamesSurviveTheUriListBothWays)
{
    const QStringList paths{"/tmp/a b.txt", QString::fromUtf8("/home/u/ünï #1.png"), "/x%y"};
    const QByteArray uris = uriList(paths);
    EXPECT_TRUE(uris.startsWith("file:///tmp/a%20b.txt\r\n"));
    EXPECT_EQ(fromUriList(uris), paths);
    EXPECT_EQ(fromUriList("# comment\nhttps://example.org/x\n\nfile:///etc/hosts\n"), QStringList{"/etc/hosts"});
    EXPECT_EQ(fromFileList(fileList(paths)).value(0), paths[0]);
}

TEST(ClipboardBlocks, MalformedBlocksGiveNothing)
{
    EXPECT_TRUE(fromFileList(QByteArray(19, '\0')).isEmpty());
    QByteArray offsetOutside(20, '\0');
    offsetOutside[0] = char(200);
    EXPECT_TRUE(fromFileList(offsetOutside).isEmpty());
    QByteArray unterminated = fileList({"/a"});
    unterminated.chop(2);
    EXPECT_EQ(fromFileList(unterminated), QStringList{"/a"});
    EXPECT_EQ(fromUnicodeText(QByteArray("a\0b", 3)), "a") << "odd last byte ignored";
    EXPECT_EQ(fromAnsiText("abc"), "abc") << "no terminator";
}

} // namespace
