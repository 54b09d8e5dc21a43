// The small shared pieces every part relies on: numbers and colours as the settings
// hold them, the settings table, the cache key, version numbers and the timer rule.
#include "common/Colour.h"
#include "common/FileBaseName.h"
#include "common/NumberText.h"
#include "common/Settings.h"
#include "common/TextCacheKey.h"
#include "common/Timer.h"
#include "service/VersionNumber.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(NumberText, ParsesRoundsAndKeepsInsideRanges)
{
    const std::pair<const char*, std::optional<double>> parsed[] = {
        {"12", 12}, {" -3.5 ", -3.5}, {"1e3", 1000}, {"", std::nullopt}, {"12abc", std::nullopt},
        {"inf", std::nullopt}, {"1e999", std::nullopt}};
    for (const auto& [text, expected] : parsed)
        EXPECT_EQ(numbertext::parse(text), expected) << text;
    EXPECT_EQ(numbertext::settingValue(" "), 0.0) << "a blank setting reads as 0";
    EXPECT_EQ(numbertext::settingValue("x"), std::nullopt);

    const std::pair<double, double> rounded[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {1.49, 1}, {1.51, 2}, {-0.4, 0}};
    for (const auto& [value, expected] : rounded)
        EXPECT_EQ(numbertext::roundHalfEven(value), expected) << value;

    EXPECT_EQ(numbertext::toInt16(32767.4), 32767);
    EXPECT_EQ(numbertext::toInt16(-32768), -32768);
    EXPECT_EQ(numbertext::toInt16(32767.6), std::nullopt);
    EXPECT_EQ(numbertext::toInt16(-32768.6), std::nullopt);
    EXPECT_EQ(numbertext::toInt32(2147483648.0), std::nullopt);
    EXPECT_EQ(numbertext::toInt32(NaN), std::nullopt);
    const std::pair<double, int> clamped[] = {{2.5, 2}, {-7.5, -8}, {1e12, 100}, {-Inf, -100}, {NaN, 0}};
    for (const auto& [value, expected] : clamped)
        EXPECT_EQ(numbertext::clampedWhole(value, -100, 100), expected) << value;
    EXPECT_EQ(numbertext::format(3000000), "3000000");
    EXPECT_EQ(numbertext::format(0.25), "0.25");
}

TEST(Colour, ReadsRedGreenBlueIntoTheLowBytesAndWritesThemBack)
{
    const std::pair<const char*, Colour> cases[] = {
        {"255,255,225", 0xE1FFFF}, {"10,20,30", 0x1E140A}, {" 1 , 2 , 3,99", 0x030201}, {"300,0,0", 0x0000FF},
        {"-5,0,0", 0},             {"1,2", 0},             {"300,-5,x", 0},            {"1.5,2.5,0", 0x000202}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseColour(text), expected) << text;
    EXPECT_EQ(colourText(0xFF000000 | 0x1E140A), "10,20,30") << "the highest byte is ignored";
    EXPECT_EQ(toQColor(0x1E140A), QColor(10, 20, 30));
    EXPECT_EQ(fromQColor(QColor(10, 20, 30)), 0x1E140Au);
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
    EXPECT_EQ(settings.entries()[0].key, "Border");
    EXPECT_EQ(settings.entries()[0].value, "0");
    EXPECT_EQ(settings.entries()[1].value, "1");
    EXPECT_EQ(settings.entries()[2].key, "missing") << "reading an absent key inserts it";
    EXPECT_EQ(settings.number("missing"), 0.0);
    settings.set("word", "abc");
    EXPECT_FALSE(settings.number("word").has_value());
    EXPECT_FALSE(settings.flag("word"));
    EXPECT_TRUE(settings.flag("shadow"));
    settings.clear();
    EXPECT_FALSE(settings.contains("border"));
}

TEST(TextCacheKey, IsTheSignedCrc32OfTheUtf16Units)
{
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u) << "the standard check value";
    EXPECT_EQ(textCacheKey(""), "k0");
    EXPECT_EQ(textCacheKey("a"), "k" + QString::number(std::int32_t(crc32(QByteArray("a\0", 2)))));
    EXPECT_EQ(textCacheKey(QString(QChar(0x0441))), "k" + QString::number(std::int32_t(crc32("\x41\x04"))));
    const QStringList texts{"hello", "Hello", "hello ", "привет", "你好", "héllo", QString::fromUtf8("a\0b", 3),
                            QString::fromUtf8("a\0c", 3), "\U0001F600"};
    QSet<QString> keys;
    for (const QString& t : texts)
        keys.insert(textCacheKey(t));
    EXPECT_EQ(keys.size(), texts.size());
}

TEST(VersionNumber, ComparesThreeFieldsWithoutOverflow)
{
    const std::pair<const char*, double> cases[] = {
        {"2.0.33", 2000000033.0}, {"3.0.0", 3000000000.0}, {"12.5.7", 12005000007.0}, {"1.2.3.4", 1002000003.0},
        {"2.0", 0},               {"x.y.z", 0},            {"2.0.z", 0},              {"", 0}};
    for (const auto& [text, number] : cases)
        EXPECT_EQ(versionNumber(text), number) << text;
}

TEST(FileBaseName, DropsTheFolderAndTheLastSuffix)
{
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
    timer.setInterval(-5);
    EXPECT_EQ(timer.interval(), 0);

    // Re-enabling every 30 ms does not push the first tick back.
    timer.setInterval(120);
    QElapsedTimer clock;
    clock.start();
    while (fired == 0 && clock.elapsed() < 1000) {
        timer.setEnabled(true);
        QTest::qWait(30);
    }
    EXPECT_EQ(fired, 1);
    EXPECT_LT(clock.elapsed(), 600);
    // Setting the interval again keeps restarting the countdown.
    fired = 0;
    clock.restart();
    while (clock.elapsed() < 400) {
        timer.setInterval(300);
        QTest::qWait(20);
    }
    EXPECT_EQ(fired, 0);
    timer.setEnabled(false);
    EXPECT_FALSE(timer.isRunning());
}

} // namespace
