// The small shared pieces every part relies on: numbers and colours as the settings
// hold them, the settings table and its typed reading, version numbers and the timer rule.
#include "common/Colour.h"
#include "common/FileBaseName.h"
#include "common/NumberText.h"
#include "common/Settings.h"
#include "common/AppSettings.h"
#include "common/Timer.h"
#include "platform/fake/FakeClock.h"
#include "service/VersionNumber.h"

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
}

TEST(SmallRules, VersionNumbersBaseNamesAndTheTypedSettings)
{
    for (const auto& [text, number] : {std::pair{"2.0.33", 2000000033.0}, {"3.0.0", 3000000000.0},
                                       {"1.2.3.4", 1002000003.0}, {"2.0", 0.0}, {"2.0.z", 0.0}})
        EXPECT_EQ(versionNumber(text), number) << text;

    EXPECT_EQ(fileBaseName("/opt/quillora/qlr"), "qlr");
    EXPECT_EQ(fileBaseName("C:\\Program\\qlr.exe"), "qlr");
    EXPECT_EQ(fileBaseName("a.b.c"), "a.b");

    // The table as the parts use it; unreadable values take the quiet default.
    for (const auto& [mode, trigger] : {std::pair{"1", TriggerMode::ClickNearEnd}, {"2", TriggerMode::ClickIcon},
                                        {"3", TriggerMode::JustSelect}, {"abc", TriggerMode::ClickIcon}}) {
        Settings settings;
        settings.set("ControlMode", mode);
        EXPECT_EQ(AppSettings::read(settings, false).trigger, trigger) << mode;
    }
    Settings settings;
    for (const auto& [key, value] : {std::pair{"Transparency", "-5"}, {"FontSize", "abc"}, {"SmoothGlide", "99"},
                                     {"hideiconinterval", "0.25"}, {"servertimeout", "-1"}, {"PopupIfNotConnected", "x"}})
        settings.set(key, value);
    const AppSettings s = AppSettings::read(settings, true);
    EXPECT_EQ(s.transparency, 0);
    EXPECT_EQ(s.fontPointSize, 8);
    EXPECT_EQ(s.glideSteps, 50);
    EXPECT_EQ(s.iconRetireMs, 250);
    EXPECT_EQ(s.translationTimeoutMs, 0) << "a negative time-out is none";
    EXPECT_TRUE(s.iconWhenNotConnected);
    settings.set("hideiconinterval", "soon");
    EXPECT_FALSE(AppSettings::read(settings, false).iconRetireMs.has_value());
}

TEST(Timer, FiresWhileEnabledWithAnIntervalAndOnlyTheIntervalRestartsIt)
{
    platform::fake::FakeClock clock;
    Timer timer(clock);
    int fired = 0;
    QObject::connect(&timer, &Timer::timeout, [&] { ++fired; });
    timer.setEnabled(true);
    EXPECT_FALSE(timer.isRunning()) << "interval 0 is off";
    timer.setInterval(100000);
    EXPECT_EQ(timer.interval(), Timer::MaxInterval);
    timer.setInterval(2000);
    clock.advance(500);
    timer.setEnabled(true);
    EXPECT_EQ(timer.remainingMs(), 1500) << "enabling an enabled timer keeps its countdown";
    timer.setInterval(2000);
    EXPECT_EQ(timer.remainingMs(), 2000) << "setting the interval restarts it";
    clock.advance(4000);
    EXPECT_EQ(fired, 2);
    timer.setEnabled(false);
    clock.advance(4000);
    EXPECT_EQ(fired, 2);
    timer.setSingleShot(true);
    timer.restart();
    clock.advance(10000);
    EXPECT_EQ(fired, 3);
    EXPECT_FALSE(timer.isEnabled()) << "a single shot switches itself off";
}

} // namespace
