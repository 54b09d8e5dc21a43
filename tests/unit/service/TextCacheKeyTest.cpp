#include "common/TextCacheKey.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(textCacheKey, IsTheSignedCrc32OfTheText)
{
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u) << "the standard check value";
    EXPECT_EQ(crc32(""), 0u);
    EXPECT_EQ(textCacheKey(""), "k0");
    // "a" as UTF-16LE code units is the two bytes 61 00.
    const std::uint32_t crc = crc32(QByteArray("a\0", 2));
    EXPECT_EQ(textCacheKey("a"), "k" + QString::number(std::int32_t(crc)));

    // Keys above 2^31 print with a minus sign and no leading zeros.
    bool sawNegative = false;
    for (int i = 0; i < 50 && !sawNegative; ++i) {
        const QString key = textCacheKey(QString::number(i));
        EXPECT_TRUE(key.startsWith("k"));
        EXPECT_FALSE(key.startsWith("k0") && key.size() > 2);
        sawNegative = key.startsWith("k-");
    }
    EXPECT_TRUE(sawNegative);
}

TEST(textCacheKey, DistinguishesTextsAnAnsiConversionWouldMerge)
{
    const QStringList texts{"hello", "Hello", "hello ", "привет", "你好", "héllo", "h\u00e9llo\u0301",
                            QString::fromUtf8("a\0b", 3), QString::fromUtf8("a\0c", 3), "\U0001F600"};
    QSet<QString> keys;
    for (const QString& t : texts)
        keys.insert(textCacheKey(t));
    EXPECT_EQ(keys.size(), texts.size());
}
