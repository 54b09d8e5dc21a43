#include "common/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace numbertext {

std::optional<double> parse(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> settingValue(const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0.0;
    return parse(text);
}

double roundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5)
        return lower + 1;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

static std::optional<int> toRange(double value, double low, double high)
{
    const double rounded = roundHalfEven(value);
    // Written so that NaN fails too: casting it to int is undefined.
    if (!(rounded >= low && rounded <= high))
        return std::nullopt;
    return static_cast<int>(rounded);
}

std::optional<int> toInt16(double value)
{
    return toRange(value, -32768, 32767);
}

std::optional<int> toInt32(double value)
{
    return toRange(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

int clampedWhole(double value, int low, int high)
{
    if (std::isnan(value))
        value = 0;
    return static_cast<int>(roundHalfEven(std::clamp(value, double(low), double(high))));
}

QString format(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

} // namespace numbertext
