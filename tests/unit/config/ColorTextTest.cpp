#include "common/Colour.h"

#include <gtest/gtest.h>

TEST(parseColour, ReadsRedGreenBlueIntoTheLowBytes)
{
    const QList<std::pair<QString, Colour>> cases{
        {"255,255,225", 0xE1FFFF},
        {"10,20,30", 1971210},
        {"1,2,3,99", 0x030201},       // fields after the third are ignored
        {" 1 , 2 , 3", 0x030201},     // blanks around numbers are allowed
        {"300,0,0", 0x0000FF},        // above 255 counts as 255
        {"-5,0,0", 0},                // below 0 counts as 0
        {"1,2", 0},                   // fewer than three fields: black
        {"a,b,c", 0},                 // not numbers: black
        {"300,-5,x", 0},
        {"", 0},
        {"1.5,2.5,0", 0x000202},      // halves round to even
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseColour(text), expected) << text.toStdString();
}

TEST(splitRgb, WritesTheStoredColourText)
{
    EXPECT_EQ(splitRgb(1971210).green, 20);
    EXPECT_EQ(colourText(1971210), "10,20,30");
    EXPECT_EQ(colourText(0xFF000000 | 0x030201), "1,2,3") << "the highest byte is ignored";
    for (const QString text : {"0,0,0", "255,255,225", "128,64,32"})
        EXPECT_EQ(colourText(parseColour(text)), text);
}
