#pragma once
// Colours as the settings store them ("R,G,B", red first) and as the program keeps
// them: a 24-bit integer with red in the low byte, then green, then blue.

#include <QColor>
#include <QString>
#include <cstdint>

using Colour = std::uint32_t;

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// "R,G,B" to a colour. Fewer than three fields, or a field that is not a number,
// give black; fields above 255 count as 255 and below 0 as 0; fields after the
// third are ignored.
Colour parseColour(const QString& text);

// The three channels of a colour; the highest byte is ignored.
Rgb splitRgb(Colour colour);

// The stored text of a colour: red "," green "," blue in decimal.
QString colourText(Colour colour);

QColor toQColor(Colour colour);
Colour fromQColor(const QColor& colour);
