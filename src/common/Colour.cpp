#include "common/Colour.h"

#include "common/NumberText.h"

#include <QStringList>
#include <algorithm>

Colour parseColour(const QString& text)
{
    const QStringList fields = text.split(',');
    if (fields.size() < 3)
        return 0;
    Colour colour = 0;
    for (int i = 0; i < 3; ++i) {
        const auto number = numbertext::parse(fields.at(i));
        if (!number)
            return 0;
        const double channel = std::clamp(numbertext::roundHalfEven(*number), 0.0, 255.0);
        colour |= static_cast<Colour>(channel) << (8 * i);
    }
    return colour;
}

Rgb splitRgb(Colour colour)
{
    return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>((colour >> 16) & 0xFF)};
}

QString colourText(Colour colour)
{
    const Rgb rgb = splitRgb(colour);
    return QString("%1,%2,%3").arg(rgb.red).arg(rgb.green).arg(rgb.blue);
}

QColor toQColor(Colour colour)
{
    const Rgb rgb = splitRgb(colour);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

Colour fromQColor(const QColor& colour)
{
    return static_cast<Colour>(colour.red()) | static_cast<Colour>(colour.green()) << 8 |
           static_cast<Colour>(colour.blue()) << 16;
}
