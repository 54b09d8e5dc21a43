#include "config/StylePresets.h"

#include "common/Settings.h"
#include "common/NumberText.h"

#include <QStringList>
#include <algorithm>

namespace {
constexpr int PresetFields = 5;
}

std::optional<StylePreset> readStylePreset(Settings& settings, int number)
{
    const QString key = "style" + QString::number(number);
    // Asking only for present keys keeps absent presets out of the saved file.
    if (!settings.contains(key))
        return std::nullopt;
    const QStringList fields = settings.value(key).split('|');
    if (fields.size() < PresetFields)
        return std::nullopt;
    const auto border = numbertext::settingValue(fields[4]);
    return StylePreset{number, fields[0], parseColour(fields[1]), parseColour(fields[2]), parseColour(fields[3]),
                       border.value_or(0) != 0};
}

QList<StylePreset> readStylePresets(Settings& settings)
{
    const auto count = settings.number("styles");
    const auto whole = count ? numbertext::toInt32(*count) : std::nullopt;
    // There cannot be more presets than settings, whatever the count claims.
    const int last = std::min<qsizetype>(whole.value_or(0), settings.entries().size());
    QList<StylePreset> presets;
    for (int number = 1; number <= last; ++number)
        if (auto preset = readStylePreset(settings, number))
            presets.append(*preset);
    return presets;
}
