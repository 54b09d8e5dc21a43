#pragma once
// The style presets of the settings dialog: `styles` holds their count N and the
// keys style1 to styleN hold name|background|text|gray|border each. The dialog only
// reads them.

#include "common/Colour.h"

#include <QList>
#include <QString>
#include <optional>

class Settings;

struct StylePreset {
    int number = 0; // N of the key styleN
    QString name;
    Colour background = 0;
    Colour text = 0;
    Colour gray = 0;
    bool border = false;
};

// The preset stored under styleN. Nothing when the key is absent or holds fewer
// than five fields; an unreadable colour is black and an unreadable border flag off.
std::optional<StylePreset> readStylePreset(Settings& settings, int number);

// The well-formed presets of 1 to `styles`, in order. A `styles` that is not a
// whole number counts as 0; absent and malformed presets are left out.
QList<StylePreset> readStylePresets(Settings& settings);
