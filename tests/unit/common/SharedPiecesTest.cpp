// The small shared pieces every part relies on: numbers and colours as the settings
// hold them, the settings table, the cache key, version numbers and the timer rule.
#include "common/Colour.h"
#include "common/FileBaseName.h"
#include "common/NumberText.h"
#include "common/Settings.h"
#include "common/TextCacheKey.h"
#include "common/Timer.h"
#include "service/VersionNumber.h"

#include <QSet>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(NumberText, ParsesRoundsHalvesToEvenAndKeepsInsideRanges)
{
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    for (const auto& [text, expected] : {std::pair<const char*, std::optional<double>>{" -3.5 ", -3.5}, {"1e3", 1000},
                                         {"", std::nullopt}, {"12abc", std::nullopt}, {"inf", std::nullopt}})
        EXPECT_EQ(numbertext::parse(text), expected) << text;
    EXPECT_EQ(numbertext::settingValue(" "), 0.0) << "a blank setting reads as 0";
    for (const auto& [value, expected] : {std::pair{2.5, 2.0}, {3.5, 4.0}, {-2.5, -2.0}, {1.49, 1.0}, {1.51, 2.0}})
        EXPECT_EQ(numbertext::roundHalfEven(value), expected) << value;
    EXPECT_EQ(numbertext::toInt16(32767.4), 32767);
    EXPECT_EQ(numbertext::toInt16(32767.6), std::nullopt);
    EXPECT_EQ(numbertext::toInt16(-32768.6), std::nullopt);
    EXPECT_EQ(numbertext::toInt32(2147483648.0), std::nullopt);
    EXPECT_EQ(numbertext::toInt32(NaN), std::nullopt);
    for (const auto& [value, expected] : {std::pair{-7.5, -8}, {1e12, 100}, {NaN, 0}})
        EXPECT_EQ(numbertext::clampedWhole(value, -100, 100), expected) << value;
    EXPECT_EQ(numbertext::format(3000000), "3000000");
    EXPECT_EQ(numbertext::format(0.25), "0.25");
}

TEST(Colour, ReadsRedGreenBlueIntoTheLowBytesAndWritesThemBack)
{
    for (const auto& [text, expected] :
         {std::pair<const char*, Colour>{"10,20,30", 0x1E140A}, {" 1 , 2 , 3,99", 0x030201}, {"300,0,0", 0x0000FF},
          {"-5,0,0", 0}, {"1,2", 0}, {"300,-5,x", 0}, {"1.5,2.5,0", 0x000202}})
        EXPECT_EQ(parseColour(text), expected) << text;
    EXPECT_EQ(colourText(0xFF000000 | 0x1E140A), "10,20,30") << "the highest byte is ignored";
    EXPECT_EQ(fromQColor(toQColor(0x1E140A)), 0x1E140Au);
}

TEST(Settings, KeysAreCaseBlindKeepTheirFirstSpellingAndLookupsInsert)
{
    Settings settings;
    settings.set("Border", "1");
    settings.set("BORDER", "0");
    EXPECT_TRUE(settings.insertIfAbsent("Shadow", "1"));
    EXPECT_FALSE(settings.insertIfAbsent("shadow", "0"));
    EXPECT_EQ(settings.value("missing"), "");
    ASSERT_EQ(settings.entries().size(), 3);
    EXPECT_EQ(settings.entries()[0].key + "=" + settings.entries()[0].value, "Border=0");
    EXPECT_EQ(settings.entries()[2].key, "missing") << "reading an absent key inserts it";
    settings.set("word", "abc");
    EXPECT_FALSE(settings.number("word").has_value());
    EXPECT_FALSE(settings.flag("word"));
    EXPECT_TRUE(settings.flag("shadow"));
    settings.clear();
    EXPECT_FALSE(settings.contains("border"));
}

TEST(SmallRules, CacheKeysVersionNumbersAndBaseNames)
{
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u) << "the standard check value";
    EXPECT_EQ(textCacheKey("a"), "k" + QString::number(std::int32_t(crc32(QByteArray("a\0", 2)))));
    EXPECT_EQ(textCacheKey(QString(QChar(0x0441))), "k" + QString::number(std::int32_t(crc32("\x41\x04"))));
    QSet<QString> keys;
    for (const QString& t : QStringList{"hello", "Hello", "привет", "你好", "héllo", QString::fromUtf8("a\0b", 3),
                                        QString::fromUtf8("a\0c", 3), "\U0001F600"})
        keys.insert(textCacheKey(t));
    EXPECT_EQ(keys.size(), 8) << "texts an 8-bit conversion would merge keep their own keys";

    for (const auto& [text, number] : {std::pair{"2.0.33", 2000000033.0}, {"3.0.0", 3000000000.0},
                                       {"1.2.3.4", 1002000003.0}, {"2.0", 0.0}, {"2.0.z", 0.0}})
        EXPECT_EQ(versionNumber(text), number) << text;

    EXPECT_EQ(fileBaseName("/opt/quillora/qlr"), "qlr");
    EXPECT_EQ(fileBaseName("C:\\Program\\qlr.exe"), "qlr");
    EXPECT_EQ(fileBaseName("a.b.c"), "a.b");
}

TEST(Timer, FiresWhileEnabledWithAnIntervalAndOnlyTheIntervalRestartsIt)
{
    Timer timer;
    int fired = 0;
    QObject::connect(&timer, &Timer::timeout, [&] { ++fired; });
    timer.setEnabled(true);
    EXPECT_FALSE(timer.isRunning()) << "interval 0 is off";
    timer.setInterval(100000);
    EXPECT_EQ(timer.interval(), Timer::MaxInterval);
    // Qt may move a countdown of 2 s by up to 5 %, never by the 500 ms waited here.
    timer.setInterval(2000);
    QTest::qWait(500);
    timer.setEnabled(true);
    EXPECT_LT(timer.remainingMs(), 1750) << "enabling an enabled timer keeps its countdown";
    timer.setInterval(2000);
    EXPECT_GT(timer.remainingMs(), 1750) << "setting the interval restarts it";
    timer.setInterval(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired > 0; }, 5000));
    timer.setEnabled(false);
    EXPECT_FALSE(timer.isRunning());
}

} // namespace
